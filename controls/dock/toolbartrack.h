#pragma once

// What a bar does with the mouse between a press and its release: move
// itself, size its floating window or press its close square. Only the
// bar's own sources use it.

#include "dock/dragoutline.h"
#include "dock/floatplan.h"

#include <QMetaObject>
#include <QPointer>

#include <memory>
#include <vector>

class TDock;

struct ToolbarTrack {
    enum class Kind { Moving, Sizing, Closing };
    Kind kind = Kind::Moving;
    QPoint press;                     // global point of the press
    QPoint cursor;                    // where the mouse was last seen
    bool moved = false;               // the cursor left the press point

    // Moving
    FloatPlan::Drag drag;
    std::vector<QPointer<TDock>> docks; // beside drag.docks
    FloatPlan::Landing landing;

    // Sizing
    FloatPlan::Edge edge = FloatPlan::Edge::Right;
    FloatPlan::SizeChoice sizes;
    int chosen = 0;
    QRect start;                      // the window's outer rectangle

    // Closing
    bool pushed = false;

    std::unique_ptr<DragOutline> outline;
    std::vector<QMetaObject::Connection> watches;

    ~ToolbarTrack()
    {
        for (const QMetaObject::Connection &watch : watches)
            QObject::disconnect(watch);
    }
};
