#include "infowindow.h"

#include "menuwindow/eventhook.h"
#include "startup/runtimecontext.h"

#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <shaper/controlshaper.h>
#include <transplist/transplist.h>

#include <safefile.h>
#include <fonts.h>
#include <screenlimits.h>
#include <textfile.h>

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>

using namespace ProjectFormat;
namespace Limits = Platform::ScreenLimits;

TfrmInfoCD::TfrmInfoCD(QWidget *owner, const RuntimeContext &context, Platform::TColor color, const QSize &size)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmInfoCD"));
    resize(size);
    MenuObjects::setBackgroundColor(this, color);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->hide();
    TranspList1 = new TTranspList(this);
    TranspList1->setObjectName(QStringLiteral("TranspList1"));
    TranspList1->setTransparent(true);
    TranspList1->setIncrase(1);
    ControlShaper1 = new TControlShaper(this);
    ControlShaper1->setObjectName(QStringLiteral("ControlShaper1"));

    applyFont();
    applyShape();
    Image1->setGeometry(rect());
    Image1->lower();
    placeText();
    showText();

    // The image and the list drag the window and close it on a double click.
    Image1->installEventFilter(new EventHook(this, [this](QObject *, QEvent *event) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: startDrag(); break;
        case QEvent::MouseMove: drag(); break;
        case QEvent::MouseButtonRelease: endDrag(); break;
        case QEvent::MouseButtonDblClick: accept(); return true;
        default: break;
        }
        return false;
    }));
    TranspList1->onMouseDown = [this](TTranspList *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { startDrag(); };
    TranspList1->onMouseMove = [this](TTranspList *, Qt::KeyboardModifiers, int, int) { drag(); };
    TranspList1->onMouseUp = [this](TTranspList *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { endDrag(); };
    TranspList1->onDblClick = [this](TTranspList *) { accept(); };

    if (const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmInfoCD::applyFont()
{
    const ProjectValues menu = m_context.menuValues();
    QFont font = TranspList1->font();
    Platform::setStoredFamily(font, menu.text(Sections::InfoCd, QStringLiteral("FONT_NAME"), font.family()));
    const int size = menu.integer(Sections::InfoCd, QStringLiteral("FONT_SIZE"), font.pointSize());
    if (size > 0)
        font.setPointSize(qMin(size, Limits::MaxFontPointSize));
    const FontStyles styles = menu.fontStyles(Sections::InfoCd, QStringLiteral("FONT_STYLE"), 0);
    font.setBold(styles & FontBold);
    font.setItalic(styles & FontItalic);
    font.setUnderline(styles & FontUnderline);
    TranspList1->setFont(font);
    Memo1->setFont(font);
    const Platform::TColor color = menu.color(Sections::InfoCd, QStringLiteral("FONT_COLOR"), Platform::clYellow);
    TranspList1->setFontColor(color);
    // No line looks selected.
    TranspList1->setSelectedColor(color);
    TranspList1->setScrolkiColor(color);
}

void TfrmInfoCD::applyShape()
{
    // A mask or background that cannot be read leaves the plain window.
    const ProjectValues menu = m_context.menuValues();
    const QString mask = menu.text(Sections::InfoCd, QStringLiteral("MASKA"), {});
    if (mask.isEmpty())
        return;
    ControlShaper1->mask().setPicFile(menu.resolve(mask));
    ControlShaper1->setControlHandle(this);
    ControlShaper1->setShapeActive(true);
    if (!ControlShaper1->shapeActive())
        return;
    resize(ControlShaper1->maskWidth(), ControlShaper1->maskHeight());
    const QString background = menu.text(Sections::InfoCd, QStringLiteral("BMP"), {});
    if (background.isEmpty())
        return;
    const QImage picture = Platform::readPicture(menu.resolve(background));
    if (!picture.isNull()) {
        Image1->resize(size());
        Image1->stretch(picture);
    }
}

void TfrmInfoCD::placeText()
{
    const ProjectValues menu = m_context.menuValues();
    const QRect fallback = defaultInfoCdBounds(size());
    const auto number = [&](const char *key, int value, int (*clamp)(int)) {
        return clamp(menu.integer(Sections::InfoCd, QLatin1String(key), value));
    };
    const QRect bounds(number("Left", fallback.left(), Limits::clampCoordinate),
                       number("Top", fallback.top(), Limits::clampCoordinate),
                       number("Width", fallback.width(), Limits::clampExtent),
                       number("Height", fallback.height(), Limits::clampExtent));
    Memo1->setGeometry(bounds);
    TranspList1->setGeometry(Memo1->geometry());
}

QString TfrmInfoCD::infoText(const RuntimeContext &context)
{
    const QString beside = context.fileBesideProgram(QStringLiteral("INFOCD.TXT"));
    if (!beside.isEmpty()) {
        if (const std::optional<QString> text = Platform::readTextFile(beside))
            return *text;
    }
    const ProjectValues menu = context.menuValues();
    const QString plik = menu.text(Sections::InfoCd, QStringLiteral("PLIK"));
    if (!plik.isEmpty()) {
        if (const std::optional<QString> text = Platform::readTextFile(menu.resolve(plik)))
            return *text;
    }
    return plik;
}

void TfrmInfoCD::showText()
{
    Memo1->setPlainText(infoText(m_context));
    TranspList1->setItems(TranspList1->wrapText(Memo1->toPlainText()));
    TranspList1->setItemIndex(0);
    TranspList1->drawItems(0);
}

void TfrmInfoCD::startDrag()
{
    m_dragging = true;
    m_dragStartPointer = QCursor::pos();
    m_dragStartWindow = pos();
}

void TfrmInfoCD::drag()
{
    if (m_dragging)
        move(m_dragStartWindow + QCursor::pos() - m_dragStartPointer);
}

void TfrmInfoCD::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: accept(); return;
    case Qt::Key_Up: TranspList1->scrollUp(false); return;
    case Qt::Key_Down: TranspList1->scrollDown(false); return;
    default: QDialog::keyPressEvent(event);
    }
}
