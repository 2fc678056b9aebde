#include "openprojectwrite.h"

#include "project/designercontext.h"
#include "project/designermessages.h"

#include <dialogs.h>
#include <profilefile.h>

#include <QFileInfo>

#include <memory>

Platform::WriteResult writeOpenProject(DesignerContext &context,
                                       const std::function<void(Platform::ProfileFile &)> &edit)
{
    if (!context.ProjectIni)
        return {};
    const Platform::ProfileFile &open = *context.ProjectIni;
    auto written = std::make_unique<Platform::ProfileFile>(open.fileName());
    if (!QFileInfo::exists(open.fileName()))
        written->setText(open.text());
    edit(*written);
    if (!written->flush())
        return {written->errorString(), {}};
    context.ProjectIni = std::move(written);
    return {};
}

void tellSaveFailed(QWidget *parent, const QString &fileName, const QString &error)
{
    Platform::showMessage(parent, DesignerMessages::saveFailed(fileName, error), DesignerCaption,
                          Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
}
