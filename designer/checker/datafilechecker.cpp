#include "checker/datafilechecker.h"

#include "checker/checkermessages.h"

#include <paths.h>
#include <profilefile.h>

namespace DataFileChecker {

QString FaultyProgram::valueOf(const QString &key) const
{
    for (const Fault &fault : faults) {
        if (fault.key.compare(key, Qt::CaseInsensitive) == 0)
            return fault.value;
    }
    return {};
}

const FaultyProgram *Report::find(const QString &name) const
{
    for (const FaultyProgram &program : programs) {
        if (Platform::ProfileSyntax::sameName(program.name, name))
            return &program;
    }
    return nullptr;
}

bool isSound(DataFile::PathKind kind, const QString &value, Platform::StoredPathResolver &resolver)
{
    if (value.isEmpty())
        return true;
    if (kind == DataFile::PathKind::FileOrText
        && value.compare(DataFile::Messages::noDizInformation(), Qt::CaseInsensitive) == 0)
        return true;
    const Platform::EntryType type = resolver.resolveEntry(value).type;
    if (kind == DataFile::PathKind::Folder)
        return type == Platform::EntryType::Folder;
    return type == Platform::EntryType::File;
}

namespace {

QList<Fault> faultsOf(const DataFile::Program &program, Platform::StoredPathResolver &resolver)
{
    QList<Fault> faults;
    for (const DataFile::PathValuedKey &key : DataFile::pathValuedKeys()) {
        const QString value = DataFile::valueOf(program, key.key);
        if (!isSound(key.kind, value, resolver))
            faults.append({key.key, value});
    }
    return faults;
}

} // namespace

Outcome check(const QString &fileName, const QString &driveRoot)
{
    DataFile::ReadResult read = DataFile::read(fileName);
    if (!read.ok())
        return {{}, CheckerMessages::cannotRead(fileName)};
    Outcome outcome;
    Report &report = outcome.report;
    report.fileName = fileName;
    // The folders do not change while one file is checked.
    Platform::StoredPathResolver resolver(driveRoot);
    const QString &description = read.category.description;
    if (!isSound(DataFile::DescriptionKind, description, resolver))
        report.faultyDescription = description;
    for (const DataFile::Program &program : read.category.programs) {
        QList<Fault> faults = faultsOf(program, resolver);
        if (!faults.isEmpty())
            report.programs.append({program.name, std::move(faults)});
    }
    return outcome;
}

} // namespace DataFileChecker
