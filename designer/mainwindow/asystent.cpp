#include "asystent.h"

#include "config/toolwindows.h"

#include <profilefile.h>

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
const QSize kDefaultSize(240, 140);
} // namespace

TfrmAsystent::TfrmAsystent(Platform::ProfileFile &cfg, int mainWindowHeight, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_cfg(cfg)
{
    setObjectName(QStringLiteral("frmAsystent"));
    setWindowTitle(QStringLiteral("Podpowiedzi"));
    setAttribute(Qt::WA_DeleteOnClose);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: navy; }"));
    // The panel takes the focus so the memo never shows a caret.
    Panel1->setFocusPolicy(Qt::StrongFocus);
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setTextInteractionFlags(Qt::NoTextInteraction);
    Memo1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #FFFFE1; color: blue; }"));
    Memo1->viewport()->installEventFilter(this);
    connect(Memo1, &QPlainTextEdit::textChanged, Panel1, [this] { Panel1->setFocus(); });

    auto *panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(3, 3, 3, 3);
    panelLayout->addWidget(Memo1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);

    PopupMenu1 = new QMenu(this);
    mnuNaWierzchu = PopupMenu1->addAction(QStringLiteral("Zawsze na &wierchu"));
    mnuNaWierzchu->setCheckable(true);
    mnuNaWierzchu->setChecked(true);
    connect(mnuNaWierzchu, &QAction::toggled, this, [this](bool on) { setStaysOnTop(on); });
    mnuZamknij = PopupMenu1->addAction(QStringLiteral("&Zamknij"));
    connect(mnuZamknij, &QAction::triggered, this, &QWidget::close);
    setContextMenuPolicy(Qt::CustomContextMenu);
    Memo1->setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(mapToGlobal(pos)); });

    place(mainWindowHeight);
}

void TfrmAsystent::place(int mainWindowHeight)
{
    ToolWindows::place(*this, m_cfg, Section, kDefaultSize, mainWindowHeight);
}

void TfrmAsystent::showText(const QString &text)
{
    if (Memo1->toPlainText() != text)
        Memo1->setPlainText(text);
}

QString TfrmAsystent::text() const
{
    return Memo1->toPlainText();
}

bool TfrmAsystent::staysOnTop() const
{
    return ToolWindows::staysOnTop(*this);
}

void TfrmAsystent::setStaysOnTop(bool onTop)
{
    ToolWindows::setStaysOnTop(*this, onTop);
}

void TfrmAsystent::closeEvent(QCloseEvent *event)
{
    ToolWindows::savePlace(*this, m_cfg, Section);
    m_cfg.flush(); // a settings file that cannot be written costs only the place
    event->accept();
    if (OnClosed)
        OnClosed();
}

bool TfrmAsystent::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseMove)
        Panel1->setFocus();
    return QWidget::eventFilter(watched, event);
}
