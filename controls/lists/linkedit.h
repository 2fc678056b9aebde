#pragma once

#include <QLineEdit>

#include <functional>

namespace LinkEnums {
Q_NAMESPACE

enum TlinkStyle : quint8 { lsNormal, lsEllipsis };
Q_ENUM_NS(TlinkStyle)

} // namespace LinkEnums

using namespace LinkEnums;

// A one-line edit with a small "..." button at its right end, shown while the
// edit has the focus; clicking it, or Ctrl+Enter, fires OnButtonClick.
class TLinkEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(LinkEnums::TlinkStyle LinkStyle READ linkStyle WRITE setLinkStyle)

public:
    explicit TLinkEdit(QWidget *parent = nullptr);

    TlinkStyle linkStyle() const { return m_linkStyle; }
    void setLinkStyle(TlinkStyle value);

    // Whether the button is there now (lsEllipsis and focused).
    bool buttonShown() const;
    bool isButtonPressed() const { return m_pressed; }
    int buttonWidth() const { return m_buttonWidth; }
    QRect buttonRect() const;
    // Where a press holds the button: a little wider than the button.
    QRect hitRect() const;

    using NotifyEvent = std::function<void(QObject *sender)>;
    using KeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
    NotifyEvent OnButtonClick;
    NotifyEvent OnChange;
    KeyEvent OnKeyDown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void updateEditRect();
    void updatePressed(QPoint pos);
    void updateCursor(QPoint pos);
    void buttonClick();
    void paintButton(QPainter &painter) const;

    int m_buttonWidth;
    TlinkStyle m_linkStyle = lsNormal;
    bool m_pressed = false;
    bool m_tracking = false;
};
