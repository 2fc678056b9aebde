#include "palettestandin.h"

#include "objects/objectkinds.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QToolButton>

namespace {
const char *const kKindProperty = "PaletteKind";
const int kColumns = 3;
} // namespace

TPaletteStandIn::TPaletteStandIn(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::Tool)
{
    setObjectName(QStringLiteral("frmObiekty"));
    setWindowTitle(QStringLiteral("Obiekty menu"));
    auto *layout = new QGridLayout(this);
    layout->setSpacing(2);
    layout->setContentsMargins(4, 4, 4, 4);
    int index = 0;
    for (const PaletteKinds::Entry &entry : PaletteKinds::entries()) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(entry.name));
        button->setText(QString::fromUtf8(entry.caption));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setProperty(kKindProperty, entry.kind);
        layout->addWidget(button, index / kColumns, index % kColumns);
        ++index;
    }
}

QToolButton *TPaletteStandIn::buttonOf(int kind) const
{
    for (QToolButton *button : findChildren<QToolButton *>()) {
        if (button->property(kKindProperty).toInt() == kind)
            return button;
    }
    return nullptr;
}

bool TPaletteStandIn::isDown(int kind) const
{
    const QToolButton *button = buttonOf(kind);
    return button && button->isChecked();
}

void TPaletteStandIn::releaseAll()
{
    for (QToolButton *button : findChildren<QToolButton *>())
        button->setChecked(false);
}

void TPaletteStandIn::setDown(int kind, bool down)
{
    if (QToolButton *button = buttonOf(kind))
        button->setChecked(down);
}

void TPaletteStandIn::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (OnClose)
        OnClose();
}
