#include "edithistory.h"

#include "sharedblock.h"

namespace zorvex {

namespace {

constexpr int MergingCommand = 0x5A11;

} // namespace

RecordEditCommand::RecordEditCommand(SharedBlock& block, const QString& label, QString mergeKey,
                                     EditableRecords before, EditableRecords after, ChangedRecords raised)
    : QUndoCommand(label), m_block(block), m_mergeKey(std::move(mergeKey)), m_before(std::move(before)),
      m_after(std::move(after)), m_raised(std::move(raised)) {}

void RecordEditCommand::undo() {
    RestoreFields(m_block, m_before, m_after, m_raised);
}

void RecordEditCommand::redo() {
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    RestoreFields(m_block, m_after, m_before, m_raised);
}

int RecordEditCommand::id() const {
    return m_mergeKey.isEmpty() ? -1 : MergingCommand;
}

bool RecordEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const RecordEditCommand*>(other);
    if (next == nullptr || next->m_mergeKey != m_mergeKey)
        return false;
    m_after = next->m_after;
    m_raised = Union(m_raised, next->m_raised);
    // Typing a value and then the old one again leaves nothing to undo.
    setObsolete(SameRecords(m_before, m_after));
    return true;
}

EditHistory::EditHistory(SharedBlock& block, QObject* parent) : QObject(parent), m_block(block) {
    m_stack.setUndoLimit(Limit);
}

void EditHistory::Begin(const QString& label, const QString& mergeKey) {
    if (m_depth++ > 0)
        return;
    m_before = EditableRecordsOf(m_block);
    m_flagsBefore = m_block.RequestFlags();
    m_dirtyBefore = m_block.ScheduleRowDirty();
    m_label = label;
    m_mergeKey = mergeKey.isEmpty() ? QString() : mergeKey + u'#' + QString::number(m_session);
}

void EditHistory::Commit() {
    if (m_depth == 0 || --m_depth > 0 || !m_before)
        return;
    EditableRecords before = std::move(*m_before);
    m_before.reset();
    EditableRecords after = EditableRecordsOf(m_block);
    if (SameRecords(before, after))
        return;
    // The bits the comm thread served meanwhile are still among the differences.
    ChangedRecords raised = Union(
        ChangesBetween(before, after),
        RaisedBetween(m_flagsBefore, m_dirtyBefore, m_block.RequestFlags(), m_block.ScheduleRowDirty()));
    m_stack.push(new RecordEditCommand(m_block, m_label, m_mergeKey, std::move(before), std::move(after),
                                       std::move(raised)));
}

void EditHistory::Cancel() {
    m_depth = 0;
    m_before.reset();
}

void EditHistory::Clear() {
    Cancel();
    m_stack.clear();
    ++m_session;
}

void EditHistory::Undo() {
    // Not in the middle of an edit (a drag whose button is still down).
    if (m_depth > 0 || !m_stack.canUndo())
        return;
    m_stack.undo();
    ++m_session; // what the user does next is a step of its own
    Q_EMIT restored();
}

void EditHistory::Redo() {
    if (m_depth > 0 || !m_stack.canRedo())
        return;
    m_stack.redo();
    ++m_session;
    Q_EMIT restored();
}

EditStep::EditStep(EditHistory* history, const QString& label, const QString& mergeKey) : m_history(history) {
    if (m_history != nullptr)
        m_history->Begin(label, mergeKey);
}

EditStep::~EditStep() {
    if (m_history != nullptr)
        m_history->Commit();
}

} // namespace zorvex
