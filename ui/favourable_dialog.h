#pragma once
// The dialog "喜用五行" of the 选项 menu: the favourable elements as the BaZi computation gives
// them (按八字计算), or as the family was told (自行指定), with a check box for each of 金 木 水 火
// 土. "确定" refuses a choice by hand without any element and says so.
#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QRadioButton;

namespace norlune::ui {

struct FavourableChoice {
    bool byHand = false;
    QString elements;  // by hand: some of 金木水火土, in that order
    friend bool operator==(const FavourableChoice&, const FavourableChoice&) = default;
};

inline constexpr const char* kFavourableByHandKey = "family/favourableByHand";
inline constexpr const char* kFavourableElementsKey = "family/favourableElements";

// The five elements in the order the dialog shows them.
QString elementOrder();
// The elements of a text that are among the five, each once, in the dialog's order.
QString orderedElements(const QString& text);

class FavourableDialog : public QDialog {
    Q_OBJECT
public:
    explicit FavourableDialog(const FavourableChoice& current, QWidget* parent = nullptr);

    FavourableChoice choice() const;
    void confirm();

    QRadioButton* computed;  // 按八字计算
    QRadioButton* byHand;    // 自行指定
    std::array<QCheckBox*, 5> elements{};
    QLabel* problem;
    QDialogButtonBox* buttons;

private:
    void updateBoxes();
};

}  // namespace norlune::ui
