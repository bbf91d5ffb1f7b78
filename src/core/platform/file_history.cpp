#include "core/platform/file_history.h"

#include "core/platform/data_file.h"
#include "core/platform/save_transaction.h"
#include "core/platform/user_error.h"

#include <QFile>

#include <algorithm>

namespace {

FileHistory* g_installed = nullptr;

// The file's bytes on the disk itself, not what an open transaction staged.
FileHistory::Bytes bytesOnDisk(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

FileHistory::FileHistory() : m_previous(g_installed)
{
    g_installed = this;
}

FileHistory::~FileHistory()
{
    if (g_installed == this)
        g_installed = m_previous;
}

FileHistory* FileHistory::installed()
{
    return g_installed;
}

FileHistory::Upkeep::Upkeep()
{
    if (g_installed)
        ++g_installed->m_upkeepDepth;
}

FileHistory::Upkeep::~Upkeep()
{
    if (g_installed)
        --g_installed->m_upkeepDepth;
}

void FileHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

void FileHistory::noteChange(const QString& name, const Bytes& after)
{
    if (m_restoring)
        return;
    const auto found = std::find_if(m_pending.begin(), m_pending.end(),
                                    [&name](const Pending& p) { return p.change.name == name; });
    if (found != m_pending.end()) {
        found->change.after = after;
        found->upkeep = found->upkeep && m_upkeepDepth > 0;
        return;
    }
    // Nothing of the action has reached the disk yet: the file there still
    // holds what it held before the action began. Mostly that is what the
    // last step left in it; the step's copy is then kept once for both, so a
    // long session of a 1000-entry ledger does not hold every version twice.
    Bytes before = bytesOnDisk(name);
    if (const Bytes* last = lastAfter(name); last && *last == before)
        before = *last;
    m_pending.push_back({{name, std::move(before), after}, m_upkeepDepth > 0});
}

const FileHistory::Bytes* FileHistory::lastAfter(const QString& name) const
{
    for (auto step = m_undo.rbegin(); step != m_undo.rend(); ++step)
        for (const FileChange& change : *step)
            if (change.name == name)
                return &change.after;
    return nullptr;
}

void FileHistory::actionDiscarded()
{
    m_pending.clear();
}

void FileHistory::actionCommitted()
{
    std::vector<Pending> pending = std::move(m_pending);
    m_pending.clear();
    Step step;
    bool upkeepOnly = true;
    for (Pending& p : pending) {
        // A save of the bytes the file held already changed nothing.
        if (p.change.before == p.change.after)
            continue;
        upkeepOnly = upkeepOnly && p.upkeep;
        step.push_back(std::move(p.change));
    }
    if (step.empty())
        return;
    if (upkeepOnly) {
        foldUpkeep(step);
        return;
    }
    m_undo.push_back(std::move(step));
    if (m_undo.size() > stepLimit)
        m_undo.pop_front();
    m_redo.clear();
}

void FileHistory::foldUpkeep(const std::vector<FileChange>& changes)
{
    // The upkeep's bytes are what the last step before it left, and what the
    // first step after it (a redo) starts from.
    for (const FileChange& change : changes) {
        for (auto step = m_undo.rbegin(); step != m_undo.rend(); ++step) {
            const auto found = std::find_if(step->begin(), step->end(), [&](const FileChange& c) {
                return c.name == change.name;
            });
            if (found != step->end()) {
                found->after = change.after;
                break;
            }
        }
        for (auto step = m_redo.rbegin(); step != m_redo.rend(); ++step) {
            const auto found = std::find_if(step->begin(), step->end(), [&](const FileChange& c) {
                return c.name == change.name;
            });
            if (found != step->end()) {
                found->before = change.after;
                break;
            }
        }
    }
}

void FileHistory::restore(const Step& step, bool toBefore)
{
    for (const FileChange& change : step) {
        const Bytes& expected = toBefore ? change.after : change.before;
        if (bytesOnDisk(change.name) != expected) {
            // The step goes with the rest of the history: the message is
            // made first.
            const UserError error(
                QStringLiteral("\"%1\" was changed outside Quillfen Pursewise, so the changes "
                               "before it can no longer be %2. Nothing was overwritten.")
                    .arg(change.name,
                         toBefore ? QStringLiteral("undone") : QStringLiteral("redone"))
                    .toStdString());
            clear();
            throw error;
        }
    }
    // All files or none: a save that fails throws away those staged before
    // it, even when the undo is part of a larger action that would commit
    // them.
    DataFile::Transaction transaction;
    m_restoring = true;
    try {
        for (const FileChange& change : step) {
            const Bytes& bytes = toBefore ? change.before : change.after;
            if (bytes)
                DataFile::writeBytes(change.name, *bytes);
            else
                DataFile::remove(change.name);
        }
    } catch (...) {
        m_restoring = false;
        transaction.rollback();
        throw;
    }
    m_restoring = false;
    transaction.commit();
}

void FileHistory::undo()
{
    if (m_undo.empty())
        return;
    restore(m_undo.back(), true);
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
}

void FileHistory::redo()
{
    if (m_redo.empty())
        return;
    restore(m_redo.back(), false);
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
}
