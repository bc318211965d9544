#include "app/FileAssociation.h"

#include "app/Constants.h"
#include "app/MainOpt.h"
#include "app/Registry.h"
#include "app/SystemError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const qint32 cSource = 128;
const QString cUserChoicePath =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.sor\\UserChoice");

template <class F>
decltype(auto) Step(qint32 code, F&& step)
{
    return GuardedStep(cSource, code, std::forward<F>(step));
}

bool IsNotFound(const ESystemError& e)
{
    return e.GetCode() == 2 || e.GetCode() == 1;
}

QString ApplicationPath()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath();
}

QString ClassesPath(const QString& tail)
{
    return QStringLiteral("Software\\Classes\\") + tail;
}

QString CommandPath()
{
    return cProgId + QStringLiteral("\\shell\\open\\command");
}

} // namespace

QString ReadUserChoiceProgId(CRegistryKey& key)
{
    try {
        OpenRegistryKey(key, tRegistryRoot::CurrentUser, cUserChoicePath, false);
    } catch (ESystemError& e) {
        // A desktop where nobody chose a default application is the usual
        // case, not a failure.
        if (e.GetCode() == 2)
            return QString();
        e.AddCodes({tErrorCode(cSource, 502)});
        throw;
    }
    try {
        return QueryRegistryString(key, QStringLiteral("Progid"));
    } catch (const Exception&) {
        return QString();
    }
}

bool CMainOpt::IsFileAssociated()
{
    QString type;
    QString command;
    try {
        CRegistryKey typeKey;
        Step(520, [&] { OpenRegistryKey(typeKey, tRegistryRoot::ClassesRoot, QStringLiteral(".sor"), false); });
        type = Step(521, [&] { return QueryRegistryString(typeKey, QString()); });
        CRegistryKey commandKey;
        Step(523, [&] { OpenRegistryKey(commandKey, tRegistryRoot::ClassesRoot, CommandPath(), false); });
        command = Step(524, [&] { return QueryRegistryString(commandKey, QString()); });
    } catch (const ESystemError& e) {
        if (IsNotFound(e))
            return false;
        throw;
    }
    if (command.isEmpty())
        return false;
    if (type == cProgId)
        return true;
    CRegistryKey choiceKey;
    return Step(543, [&] { return ReadUserChoiceProgId(choiceKey); }) == cProgId;
}

void CMainOpt::SetFileAssociation(bool bAssociate)
{
    if (bAssociate) {
        const QString path = ApplicationPath();
        {
            CRegistryKey commandKey;
            Step(563, [&] { CreateRegistryKey(commandKey, tRegistryRoot::CurrentUser, ClassesPath(CommandPath())); });
            Step(564, [&] { SetRegistryString(commandKey, QString(), OpenCommandText(path)); });
            CRegistryKey iconKey;
            Step(566, [&] {
                CreateRegistryKey(iconKey, tRegistryRoot::CurrentUser, ClassesPath(cProgId + QStringLiteral("\\DefaultIcon")));
            });
            Step(567, [&] { SetRegistryString(iconKey, QString(), DefaultIconText(path)); });
            CRegistryKey typeKey;
            Step(572, [&] { CreateRegistryKey(typeKey, tRegistryRoot::CurrentUser, ClassesPath(QStringLiteral(".sor"))); });
            Step(573, [&] { SetRegistryString(typeKey, QString(), cProgId); });
            CRegistryKey progIdsKey;
            Step(575, [&] {
                CreateRegistryKey(progIdsKey, tRegistryRoot::CurrentUser, ClassesPath(QStringLiteral(".sor\\OpenWithProgids")));
            });
            Step(576, [&] { SetRegistryString(progIdsKey, cProgId, QString()); });
        }
        NotifyAssociationsChanged();
        return;
    }

    {
        CRegistryKey typeKey;
        QString type;
        try {
            Step(584, [&] { OpenRegistryKey(typeKey, tRegistryRoot::ClassesRoot, QStringLiteral(".sor"), true); });
            type = Step(585, [&] { return QueryRegistryString(typeKey, QString()); });
        } catch (const ESystemError& e) {
            if (e.GetCode() != 2)
                throw;
        }
        // Another program's registration is not ours to undo.
        if (type == cProgId)
            Step(594, [&] { SetRegistryString(typeKey, QString(), QString()); });

        QString choice;
        {
            CRegistryKey choiceKey;
            choice = Step(598, [&] { return ReadUserChoiceProgId(choiceKey); });
        }
        if (choice == cProgId) {
            {
                CRegistryKey aclKey;
                if (const qint32 error = RegistryOpen(aclKey, tRegistryRoot::CurrentUser, cUserChoicePath,
                                                      tRegistryAccess::WriteDac))
                    throw ESystemError({tErrorCode(cSource, 604)}, error);
                Step(605, [&] { GrantInteractiveFullAccess(aclKey); });
            }
            CRegistryKey valueKey;
            if (const qint32 error = RegistryOpen(valueKey, tRegistryRoot::CurrentUser, cUserChoicePath,
                                                  tRegistryAccess::SetValue))
                throw ESystemError({tErrorCode(cSource, 608)}, error);
            if (const qint32 error = RegistryDeleteValue(valueKey, QStringLiteral("Progid")))
                throw ESystemError({tErrorCode(cSource, 609)}, error);
        }
    }
    NotifyAssociationsChanged();
}
