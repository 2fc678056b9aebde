#pragma once

#include <QString>

#include <functional>

class QWidget;
class QColor;
class QFont;

namespace Platform {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Every message box and common dialog goes through this interface, so tests
// can answer them. The default instance shows real Qt dialogs.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer message(QWidget *parent, const QString &text, const QString &caption,
                                  MessageButtons buttons = MessageButtons::Ok,
                                  MessageIcon icon = MessageIcon::None) = 0;

    // Lets the user change font and its colour; false when cancelled.
    virtual bool chooseFont(QWidget *parent, QFont &font, QColor &color) = 0;

    // The about box of a program: its name, a line of text and its icon.
    virtual void about(QWidget *parent, const QString &programName, const QString &text) = 0;

    // File dialogs: the chosen full path, empty when cancelled. A filter is
    // Qt's "Description (*.ext *.EXT);;All (*)" form.
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &start,
                             const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &start,
                             const QString &filter) = 0;
    // A file to use that may not exist yet (a data file the author is about
    // to make): an existing one is taken without an overwrite question. An
    // instance that only answers questions answers it as openFile.
    virtual QString chooseFileOrNew(QWidget *parent, const QString &caption, const QString &start,
                                    const QString &filter)
    {
        return openFile(parent, caption, start, filter);
    }
    // The chosen folder, empty when cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &caption, const QString &start) = 0;
    // A folder dialog that the caller builds itself (a tree with a title and
    // a status line): the default instance runs show, which returns the
    // chosen folder or an empty string; an instance that only answers
    // questions answers it as chooseFolder.
    virtual QString browseForFolder(QWidget *parent, const QString &caption, const QString &start,
                                    const std::function<QString()> &show)
    {
        (void)show;
        return chooseFolder(parent, caption, start);
    }
    // Lets the user change a colour; false when cancelled.
    virtual bool chooseColor(QWidget *parent, QColor &color) = 0;
    // One line of text; false when cancelled, and value is left alone.
    virtual bool inputText(QWidget *parent, const QString &caption, const QString &prompt, QString &value) = 0;

    static Dialogs &instance();
    // Installs another instance (not owned); nullptr restores the default.
    static void setInstance(Dialogs *dialogs);
};

// For runs without a user (fuzzers, benchmarks): every message is answered
// with its first button, every dialog is cancelled.
class SilentDialogs : public Dialogs
{
public:
    MessageAnswer message(QWidget *, const QString &, const QString &, MessageButtons, MessageIcon) override
    {
        return MessageAnswer::Ok;
    }
    bool chooseFont(QWidget *, QFont &, QColor &) override { return false; }
    void about(QWidget *, const QString &, const QString &) override {}
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
    bool chooseColor(QWidget *, QColor &) override { return false; }
    bool inputText(QWidget *, const QString &, const QString &, QString &) override { return false; }
};

// Shorthand for Dialogs::instance().message(...).
MessageAnswer showMessage(QWidget *parent, const QString &text, const QString &caption,
                          MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::None);

} // namespace Platform
