#pragma once

#include "project/designerservices.h"

#include <QWidget>

#include <functional>

class QToolButton;

// A stand-in for the object palette until the inspector exists: a small
// window with one toggle button per object kind. A pressed button makes the
// next click on the design surface place an object of its kind.
class TPaletteStandIn : public QWidget, public ObjectPalette
{
public:
    explicit TPaletteStandIn(QWidget *parent = nullptr);

    bool isDown(int kind) const override;
    void releaseAll() override;
    // Presses or releases the button of a kind.
    void setDown(int kind, bool down);

    // Closing this window ends the designer for now.
    std::function<void()> OnClose;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QToolButton *buttonOf(int kind) const;
};
