#pragma once

#include "colors.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

// How the menu's hints look; the menu window sets it from the project file
// (HintKolor, HintTextKolor, HintOval) and every window of the menu shares it.
struct HintStyle
{
    Platform::TColor color = Platform::clInfoBk;
    Platform::TColor textColor = Platform::clInfoText;
    bool oval = false;
};

// The hint window: a rectangle, or an ellipse wide enough for its text.
class TCoolHint : public QWidget
{
public:
    explicit TCoolHint(QWidget *parent = nullptr);

    const HintStyle &hintStyle() const { return m_style; }
    void setHintStyle(const HintStyle &style);

    // The bounds a hint for text needs with its top-left corner at topLeft
    // (global coordinates), before any widening for the ellipse.
    QRect calcHintRect(const QString &text, QPoint topLeft) const;
    // Shows the hint in rect; an oval hint grows to the right first.
    void activateHint(QRect rect, const QString &text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    HintStyle m_style;
    QString m_text;
};

// Gives top-level windows and all their children (also those added later)
// TCoolHint hints in place of the platform's tool tips. One object serves
// every window of a menu, so they all share its style and its single hint
// window.
class CoolHints : public QObject
{
public:
    // How long a hint stays while the mouse rests.
    static constexpr int hideAfterMs = 2500;

    explicit CoolHints(QObject *parent = nullptr);
    ~CoolHints() override;

    HintStyle style() const { return m_style; }
    void setStyle(const HintStyle &style);

    void install(QWidget *window);
    void uninstall(QWidget *window);

    // The hint window; nullptr until the first hint is shown.
    TCoolHint *hintWindow() const { return m_hint.get(); }
    void hideHint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isInstalledOn(const QWidget *widget) const;
    void showHint(QWidget *widget, QPoint globalPos);

    HintStyle m_style;
    QList<QPointer<QWidget>> m_windows;
    std::unique_ptr<TCoolHint> m_hint; // a window of its own, owned here
    QTimer m_hideTimer;
};
