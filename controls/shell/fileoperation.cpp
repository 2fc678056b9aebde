#include "shell/fileoperation.h"

#include <dialogs.h>

#include <QApplication>
#include <QProgressDialog>
#include <QWidget>

#include <memory>

namespace {

// The progress window shows up only when an operation takes a while.
constexpr int kProgressDelayMs = 500;

QString captionOf(const QString &progressTitle)
{
    return progressTitle.isEmpty() ? QStringLiteral("Operacja na plikach") : progressTitle;
}

} // namespace

TFileOperation::TFileOperation(QObject *owner)
    : QObject(owner)
{
}

QStringList TFileOperation::about() const
{
    return {QStringLiteral("TFileOperation"), QStringLiteral("Kopiowanie, przenoszenie, zmiana nazw i usuwanie plików")};
}

void TFileOperation::setActive(bool value)
{
    if (value)
        execute();
}

QWidget *TFileOperation::ownerWindow() const
{
    if (auto *widget = qobject_cast<QWidget *>(parent()))
        return widget->window();
    return QApplication::activeWindow();
}

bool TFileOperation::execute()
{
    m_results.clear();
    m_operationAborted = false;
    if (m_filesFrom.isEmpty())
        return false;

    QWidget *window = ownerWindow();
    const QString caption = captionOf(m_progressTitle);
    std::unique_ptr<QProgressDialog> progress;
    if (!m_flags.testFlag(fofSilent)) {
        progress = std::make_unique<QProgressDialog>(window);
        progress->setWindowTitle(caption);
        progress->setCancelButtonText(QStringLiteral("Anuluj"));
        progress->setMinimumDuration(kProgressDelayMs);
        progress->setWindowModality(Qt::WindowModal);
    }

    FileOpCallbacks callbacks;
    callbacks.confirm = [window, caption](const QString &question) {
        switch (Platform::showMessage(window, question, caption, Platform::MessageButtons::YesNoCancel,
                                      Platform::MessageIcon::Question)) {
        case Platform::MessageAnswer::Yes: return FileOpCallbacks::Answer::Yes;
        case Platform::MessageAnswer::No: return FileOpCallbacks::Answer::No;
        default: return FileOpCallbacks::Answer::Cancel;
        }
    };
    const bool simple = m_flags.testFlag(fofSimpleProgress);
    callbacks.progress = [&progress, simple](int done, int total, const QString &name) {
        if (!progress)
            return true;
        progress->setMaximum(total);
        if (!simple)
            progress->setLabelText(name);
        progress->setValue(done);
        return !progress->wasCanceled();
    };

    const FileOpOutcome outcome = runFileOperation({m_operation, m_filesFrom, m_filesTo, m_flags}, callbacks);
    progress.reset();
    m_results = outcome.items;
    m_operationAborted = outcome.aborted;
    if (!outcome.aborted)
        reportFailures();
    return outcome.ok();
}

void TFileOperation::reportFailures() const
{
    QStringList lines;
    for (const FileOpItem &item : m_results) {
        if (!item.error.isEmpty())
            lines.append(QStringLiteral("%1: %2").arg(item.source, item.error));
    }
    if (lines.isEmpty())
        return;
    Platform::showMessage(ownerWindow(), QStringLiteral("Nie udało się wykonać operacji na plikach:\n") + lines.join(u'\n'),
                          captionOf(m_progressTitle), Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
}
