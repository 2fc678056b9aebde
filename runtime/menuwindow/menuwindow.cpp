#include "menuwindow.h"

#include "startup/runtimecontext.h"

#include <colors.h>


using namespace ProjectFormat;

TForm1::TForm1(RuntimeContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("Form1"));
    FormCreate();
}

void TForm1::FormCreate()
{
    const ProjectValues values = m_context.menuValues();
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Platform::toQColor(values.color(Sections::Window, QStringLiteral("COLOR"))));
    setPalette(colours);
    setAutoFillBackground(true);
    setFixedSize(values.integer(Sections::Window, QStringLiteral("WIDTH")),
                 values.integer(Sections::Window, QStringLiteral("HEIGHT")));

    const QString title = values.text(Sections::Cdrom, QStringLiteral("CD_TITLE"));
    setWindowTitle(values.text(Sections::Cdrom, QStringLiteral("CD_CAPTION"), title));
}
