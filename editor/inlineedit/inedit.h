#pragma once

#include <QLineEdit>

#include <functional>

// An edit laid over a list row for renaming in place. It stays hidden until
// its owner shows it, and reports how the user leaves it: by a key of the
// table below or by the focus going elsewhere. The owner's handler may
// refuse the exit; the edit then beeps and keeps the focus.
class TInEdit : public QLineEdit
{
    Q_OBJECT
public:
    // Why the edit is being left.
    enum Reason {
        FocusLost = 0,
        LeftOut = 1, // Ctrl+Left, or Left with the caret at the start
        RightOut = 2, // Ctrl+Right, or Right with the caret at the end
        Up = 3,
        Down = 4,
        Tab = 5,
        ShiftTab = 6,
        Enter = 7,
        Escape = 8,
        PageUp = 9,
        PageDown = 10,
        CtrlHome = 11,
        CtrlEnd = 12,
    };
    using GoingOffEvent = std::function<void(QObject *sender, int reason, const QString &value, bool &allowExit)>;

    explicit TInEdit(QWidget *parent = nullptr);

    GoingOffEvent OnGoingOff;

    bool isEntered() const { return m_entered; }

    // The reason a key press leaves the edit, 0 for keys the edit keeps.
    int reasonOf(int key, Qt::KeyboardModifiers modifiers) const;

protected:
    // Fires OnGoingOff; allowExit starts true.
    virtual void GoingOff(int reason, const QString &value, bool &allowExit);

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool leaveByKey(QKeyEvent *event);
    void leave();

    bool m_entered = false;
    // Set while the handler decides on a focus loss, so focus changes its
    // message box causes are not taken for new attempts to leave.
    bool m_decidingFocusLoss = false;
};
