#pragma once
// The dialog "避讳用字" of the 选项 menu: the characters of an elder's name that a child's name
// must not use, and whether characters of the same syllable are left out too. "确定" checks the
// text and keeps the dialog open with the reason when it cannot be used.
#include <QDialog>
#include <QString>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace norlune::ui {

struct AvoidChoice {
    QString characters;  // no blanks; empty: nothing is avoided
    bool bySound = false;
    friend bool operator==(const AvoidChoice&, const AvoidChoice&) = default;
};

// Settings keys of the choice.
inline constexpr const char* kAvoidCharactersKey = "family/avoidCharacters";
inline constexpr const char* kAvoidSoundKey = "family/avoidSound";

// The typed text without blanks of any kind.
QString withoutBlanks(const QString& text);
// Why the typed text cannot be the characters to avoid; empty when it can. Blanks do not count; an
// empty text avoids nothing and is fine.
QString avoidCharactersProblem(const QString& text);

class AvoidDialog : public QDialog {
    Q_OBJECT
public:
    explicit AvoidDialog(const AvoidChoice& current, QWidget* parent = nullptr);

    // The choice after "确定"; only meaningful when the dialog was accepted.
    AvoidChoice choice() const;

    // "确定": accepts the dialog, or shows why the text cannot be used.
    void confirm();

    QLineEdit* characters;
    QCheckBox* bySound;
    QLabel* problem;  // empty, or why "确定" was refused
    QDialogButtonBox* buttons;
};

}  // namespace norlune::ui
