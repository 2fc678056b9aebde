#include "menuoptions/menuoptionsdialog.h"

#include "menuoptions/menuoptionsmessages.h"
#include "project/designercontext.h"
#include "propertyeditors/pickedpaths.h"
#include "surface/menusurface.h"

#include <checkbox/bitcheckbox.h>

#include <colors.h>
#include <dialogs.h>
#include <paths.h>

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QColor shown(const QString &text, Platform::TColor fallback)
{
    return Platform::toQColor(Platform::stringToColor(text, fallback));
}

QString colorText(const QColor &color)
{
    return Platform::colorToString(Platform::fromQColor(color));
}

void paint(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

ClickableLabel *panel(const QString &name, const QString &caption, QWidget *parent)
{
    auto *label = new ClickableLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumHeight(28);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && OnClick)
        OnClick(this);
    QLabel::mousePressEvent(event);
}

void THintShape::setOval(bool oval)
{
    if (m_oval == oval)
        return;
    m_oval = oval;
    update();
}

void THintShape::setColors(const QColor &fill, const QColor &pen)
{
    m_fill = fill;
    m_pen = pen;
    update();
}

void THintShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(m_fill);
    painter.setPen(m_pen);
    const QRect area = rect().adjusted(1, 1, -2, -2);
    if (m_oval)
        painter.drawEllipse(area);
    else
        painter.drawRect(area);
}

TfrmOpcje::TfrmOpcje(DesignerContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmOpcje"));
    setWindowTitle(MenuOptionsMessages::caption());
    auto *layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = buildApplicationPage();
    TabSheet2 = buildPresencePage();
    PageControl1->addTab(TabSheet1, QStringLiteral("Aplikacja"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Prezencja"));
    layout->addWidget(PageControl1);
    auto *buttons = new QHBoxLayout;
    klwOK = new QPushButton(QStringLiteral("&OK"), this);
    klwOK->setObjectName(QStringLiteral("klwOK"));
    klwOK->setDefault(true);
    klwAnuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    klwAnuluj->setObjectName(QStringLiteral("klwAnuluj"));
    klwAnuluj->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(klwOK);
    buttons->addWidget(klwAnuluj);
    layout->addLayout(buttons);
    connect(klwOK, &QPushButton::clicked, this, [this] { klwOKClick(klwOK); });
    connect(klwAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

QWidget *TfrmOpcje::buildApplicationPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto *form = new QFormLayout(page);
    const auto edit = [page](const QString &name) {
        auto *field = new QLineEdit(page);
        field->setObjectName(name);
        field->setMinimumWidth(300);
        return field;
    };
    edtID = edit(QStringLiteral("edtID"));
    edtID->setToolTip(MenuOptionsMessages::idHint());
    edtEtykieta = edit(QStringLiteral("edtEtykieta"));
    edtTytul = edit(QStringLiteral("edtTytul"));
    edtOpisCD = edit(QStringLiteral("edtOpisCD"));
    klwOpisCD = new QPushButton(QStringLiteral("···"), page);
    klwOpisCD->setObjectName(QStringLiteral("klwOpisCD"));
    klwOpisCD->setToolTip(MenuOptionsMessages::descriptionButtonHint());
    klwOpisCD->setAutoDefault(false);
    auto *description = new QHBoxLayout;
    description->addWidget(edtOpisCD);
    description->addWidget(klwOpisCD);
    form->addRow(QStringLiteral("Identyfikator CDROM'u:"), edtID);
    form->addRow(QStringLiteral("Tekst w pasku tytułowym okna menu:"), edtEtykieta);
    form->addRow(QStringLiteral("Tytuł menu jako aplikacji:"), edtTytul);
    form->addRow(QStringLiteral("Opis CDROM'u:"), description);
    connect(klwOpisCD, &QPushButton::clicked, this, [this] { klwOpisCDClick(klwOpisCD); });
    return page;
}

QWidget *TfrmOpcje::buildPresencePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto *grid = new QGridLayout(page);
    const auto &table = MenuOptions::flagTable();
    for (size_t i = 0; i < table.size(); ++i) {
        auto *box = new TBitCheckBox(page);
        box->setObjectName(QLatin1String(table[i].control));
        box->setCaption(QString::fromUtf8(table[i].caption));
        box->setMinimumHeight(20);
        flagBoxes[i] = box;
        grid->addWidget(box, int(i % 6), int(i / 6));
    }
    pnlHintKolor = panel(QStringLiteral("pnlHintKolor"), QStringLiteral("Kolor tła podpowiedzi"), page);
    pnlHintTextKolor = panel(QStringLiteral("pnlHintTextKolor"), QStringLiteral("Kolor tekstu podpowiedzi"), page);
    pnlHintKolor->OnClick = pnlHintTextKolor->OnClick = [this](QObject *sender) { pnlHintKolorClick(sender); };
    grid->addWidget(pnlHintKolor, 6, 0);
    grid->addWidget(pnlHintTextKolor, 6, 1);

    auto *shapeRow = new QHBoxLayout;
    HintShape = new THintShape(page);
    HintShape->setObjectName(QStringLiteral("HintShape"));
    HintShape->setFixedSize(80, 32);
    Label4 = new ClickableLabel(QStringLiteral("Kształt  podpowiedzi"), page);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setToolTip(QStringLiteral("Widoczny tylko w menu - testowanie!"));
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->OnClick = [this](QObject *sender) { Label4Click(sender); };
    shapeRow->addWidget(HintShape);
    shapeRow->addWidget(Label4);
    shapeRow->addStretch();
    grid->addLayout(shapeRow, 7, 0);
    lblDialog = panel(QStringLiteral("lblDialog"), QStringLiteral("Kolor czcionki w okienkach dialogowych"), page);
    lblDialog->OnClick = [this](QObject *sender) { lblDialogClick(sender); };
    grid->addWidget(lblDialog, 7, 1);
    return page;
}

void TfrmOpcje::FormCreate()
{
    const MenuOptions options = MenuOptions::read(m_context.Design);
    edtID->setText(options.cdromId);
    edtEtykieta->setText(options.caption);
    edtTytul->setText(options.title);
    edtOpisCD->setText(options.description);
    for (size_t i = 0; i < flagBoxes.size(); ++i)
        flagBoxes[i]->setChecked(options.flags[i]);
    HintShape->setOval(options.hintOval);
    m_colors = options;
    showColors();
}

void TfrmOpcje::showColors()
{
    const QColor fill = shown(m_colors.hintColor, Platform::clInfoBk);
    const QColor text = shown(m_colors.hintTextColor, Platform::clInfoText);
    for (QLabel *hint : {pnlHintKolor, pnlHintTextKolor})
        paint(hint, fill, text);
    HintShape->setColors(fill, text);
    const QColor surface = Platform::toQColor(
        m_context.Surface ? m_context.Design.windowColor : Platform::clBlack);
    const QColor dialogFont = m_colors.dialogFontColor.isEmpty() ? palette().color(QPalette::WindowText)
                                                                 : shown(m_colors.dialogFontColor, Platform::clYellow);
    paint(lblDialog, surface, dialogFont);
}

void TfrmOpcje::warn(const QString &text)
{
    Platform::showMessage(this, text, DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
}

void TfrmOpcje::pnlHintKolorClick(QObject *sender)
{
    const bool background = sender == pnlHintKolor;
    QColor color = background ? shown(m_colors.hintColor, Platform::clInfoBk)
                              : shown(m_colors.hintTextColor, Platform::clInfoText);
    if (!Platform::Dialogs::instance().chooseColor(this, color))
        return;
    (background ? m_colors.hintColor : m_colors.hintTextColor) = colorText(color);
    showColors();
}

void TfrmOpcje::Label4Click(QObject *)
{
    HintShape->setOval(!HintShape->oval());
}

void TfrmOpcje::lblDialogClick(QObject *)
{
    QColor color = lblDialog->palette().color(QPalette::WindowText);
    if (!Platform::Dialogs::instance().chooseColor(this, color))
        return;
    // Kept with the other options until OK.
    m_colors.dialogFontColor = colorText(color);
    showColors();
}

void TfrmOpcje::klwOpisCDClick(QObject *)
{
    const QString chosen = Platform::Dialogs::instance().openFile(this, QStringLiteral("Otwórz"), m_context.DriveRoot,
                                                                  MenuOptionsMessages::textFilter());
    if (const std::optional<QString> stored = PickedPaths::storeChosenOrTell(this, m_context.DriveRoot, chosen))
        edtOpisCD->setText(*stored);
}

MenuOptions TfrmOpcje::options() const
{
    MenuOptions options = m_colors;
    options.cdromId = edtID->text();
    options.caption = edtEtykieta->text();
    options.title = edtTytul->text();
    options.description = edtOpisCD->text();
    for (size_t i = 0; i < flagBoxes.size(); ++i)
        options.flags[i] = flagBoxes[i]->checked();
    options.hintOval = HintShape->oval();
    return options;
}

void TfrmOpcje::klwOKClick(QObject *)
{
    MenuOptions confirmed = options();
    // A short text is taken as it stands; a path must stay on the drive.
    const PickedPaths::Stored description = PickedPaths::fromField(m_context.DriveRoot, confirmed.description);
    if (!description.ok()) {
        warn(description.error);
        PageControl1->setCurrentWidget(TabSheet1);
        edtOpisCD->setFocus();
        return;
    }
    confirmed.description = description.path;
    confirmed.apply(m_context);
    accept();
}

void runMenuOptionsDialog(QWidget *parent, DesignerContext &context)
{
    TfrmOpcje dialog(context, parent);
    dialog.exec();
}
