#include "dialogs.h"

#include "fontdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

namespace Platform {
namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

// The programs speak Polish whatever the desktop's language is.
void nameButtons(QMessageBox &box)
{
    const struct {
        QMessageBox::StandardButton button;
        const char *text;
    } names[] = {{QMessageBox::Ok, "OK"}, {QMessageBox::Yes, "&Tak"}, {QMessageBox::No, "&Nie"},
                 {QMessageBox::Cancel, "Anuluj"}};
    for (const auto &name : names) {
        if (QAbstractButton *button = box.button(name.button))
            button->setText(QString::fromUtf8(name.text));
    }
}

// Lines break by themselves at blanks and after "/"; a run of more than
// this many characters without either (a folder name of 250 letters) could
// stand out of the box.
constexpr int kLongestUnbrokenRun = 40;

// The text with zero-width spaces between the characters of such runs, so
// that the box wraps them inside its width.
QString breakableText(const QString &text)
{
    static const QRegularExpression longRun(QStringLiteral("[^\\s/]{%1,}").arg(kLongestUnbrokenRun + 1));
    const QStringView whole(text);
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : longRun.globalMatch(text)) {
        result += whole.sliced(done, match.capturedStart() - done);
        const QStringView run = match.capturedView();
        for (qsizetype i = 0; i < run.size(); ++i) {
            const bool joined = run[i].isLowSurrogate() || run[i].category() == QChar::Mark_NonSpacing;
            if (i > 0 && !joined)
                result += QChar(0x200B);
            result += run[i];
        }
        done = match.capturedEnd();
    }
    result += whole.sliced(done);
    return result;
}

class QtDialogs final : public Dialogs
{
public:
    MessageAnswer message(QWidget *parent, const QString &text, const QString &caption,
                          MessageButtons buttons, MessageIcon icon) override
    {
        QMessageBox box(toQtIcon(icon), caption, breakableText(text), toQtButtons(buttons), parent);
        nameButtons(box);
        switch (box.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        case QMessageBox::Ok: return MessageAnswer::Ok;
        default: // closed without a button
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok
                   : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                      : MessageAnswer::Cancel;
        }
    }

    bool chooseFont(QWidget *parent, QFont &font, QColor &color) override
    {
        FontColorDialog dialog(font, color, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        font = dialog.selectedFont();
        color = dialog.selectedColor();
        return true;
    }

    void about(QWidget *parent, const QString &programName, const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, programName, programName + u'\n' + text, QMessageBox::Ok, parent);
        nameButtons(box);
        box.setIconPixmap(QApplication::windowIcon().pixmap(32, 32));
        box.exec();
    }

    QString openFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, start, filter);
    }

    QString saveFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, start, filter);
    }

    QString chooseFileOrNew(QWidget *parent, const QString &caption, const QString &start,
                            const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, start, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }

    QString chooseFolder(QWidget *parent, const QString &caption, const QString &start) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, start);
    }

    QString browseForFolder(QWidget *, const QString &, const QString &,
                            const std::function<QString()> &show) override
    {
        return show();
    }

    bool chooseColor(QWidget *parent, QColor &color) override
    {
        const QColor chosen = QColorDialog::getColor(color, parent);
        if (!chosen.isValid())
            return false;
        color = chosen;
        return true;
    }

    bool inputText(QWidget *parent, const QString &caption, const QString &prompt, QString &value) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
        if (ok)
            value = text;
        return ok;
    }
};

Dialogs *g_override = nullptr;

} // namespace

Dialogs &Dialogs::instance()
{
    static QtDialogs qtDialogs;
    return g_override ? *g_override : qtDialogs;
}

void Dialogs::setInstance(Dialogs *dialogs)
{
    g_override = dialogs;
}

MessageAnswer showMessage(QWidget *parent, const QString &text, const QString &caption,
                          MessageButtons buttons, MessageIcon icon)
{
    return Dialogs::instance().message(parent, text, caption, buttons, icon);
}

} // namespace Platform
