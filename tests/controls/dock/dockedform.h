#pragma once

#include "dock/dock.h"
#include "dock/toolbar.h"

#include <buttons/toolbarbutton.h>

#include <QWidget>

#include <memory>

// A form with a dock along one edge and one bar of buttons in it.
struct DockedForm {
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    TDock *dock = nullptr;
    TToolbar *bar = nullptr;
    QList<TToolbarButton *> buttons;

    explicit DockedForm(TDock::TDockPosition position = TDock::dpTop, int buttonCount = 3)
    {
        form->resize(400, 300);
        dock = addDock(position);
        bar = addBar(buttonCount);
    }

    TDock *addDock(TDock::TDockPosition position)
    {
        auto *newDock = new TDock(form.get());
        newDock->setPosition(position);
        if (position == TDock::dpBottom)
            newDock->setGeometry(0, 300, 400, 0);
        else if (position == TDock::dpTop)
            newDock->setGeometry(0, 0, 400, 0);
        else if (position == TDock::dpLeft)
            newDock->setGeometry(0, 0, 0, 300);
        else
            newDock->setGeometry(400, 0, 0, 300);
        return newDock;
    }

    TToolbar *addBar(int buttonCount, TDock *into = nullptr)
    {
        auto *newBar = new TToolbar(form.get());
        for (int i = 0; i < buttonCount; ++i)
            buttons.append(new TToolbarButton(newBar));
        newBar->setDockedTo(into ? into : dock);
        return newBar;
    }
};
