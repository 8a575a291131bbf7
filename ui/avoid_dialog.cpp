#include "ui/avoid_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/utf8.h"
#include "search/avoid_filter.h"
#include "ui/qt_text.h"

namespace norlune::ui {

QString withoutBlanks(const QString& text) {
    QString out;
    for (const QChar ch : text) {
        if (!ch.isSpace()) {
            out += ch;
        }
    }
    return out;
}

QString avoidCharactersProblem(const QString& text) {
    const std::string characters = utf8(withoutBlanks(text));
    if (characters.empty()) {
        return {};
    }
    if (!isHanText(characters)) {
        return WindowText::tr("避讳用字只能填汉字（字与字之间不用标点）");
    }
    if (codePointCount(characters) > AvoidFilter::kMaxCharacters) {
        return WindowText::tr("避讳用字最多 ") + QString::number(AvoidFilter::kMaxCharacters) +
               WindowText::tr(" 个");
    }
    return {};
}

AvoidDialog::AvoidDialog(const AvoidChoice& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("avoidDialog"));
    setWindowTitle(tr("避讳用字"));
    auto* prompt = new QLabel(tr("名字中不用的字（如长辈名字中的字，最多 20 个汉字）："), this);
    characters = new QLineEdit(current.characters, this);
    characters->setObjectName(QStringLiteral("avoidCharacters"));
    // Twice the limit leaves room for characters outside the basic plane and a few blanks; the
    // check of "确定" counts the characters themselves.
    characters->setMaxLength(static_cast<int>(AvoidFilter::kMaxCharacters) * 2);
    characters->setPlaceholderText(tr("例如：建国秀英"));
    prompt->setBuddy(characters);
    bySound = new QCheckBox(tr("同音也避开"), this);
    bySound->setObjectName(QStringLiteral("avoidSound"));
    bySound->setChecked(current.bySound);
    bySound->setToolTip(tr("读音相同（不论声调）的字也不用，例如避“明”时也不用“铭”“鸣”"));
    problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("avoidProblem"));
    problem->setStyleSheet(QStringLiteral("color: #b00000;"));
    problem->setWordWrap(true);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(characters);
    layout->addWidget(bySound);
    layout->addWidget(problem);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AvoidDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(characters, &QLineEdit::textEdited, problem, &QLabel::clear);
}

AvoidChoice AvoidDialog::choice() const {
    return {withoutBlanks(characters->text()), bySound->isChecked()};
}

void AvoidDialog::confirm() {
    const QString why = avoidCharactersProblem(characters->text());
    problem->setText(why);
    if (why.isEmpty()) {
        accept();
    } else {
        characters->setFocus();
    }
}

}  // namespace norlune::ui
