#pragma once

#include "editablerecords.h"

#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <QUndoStack>

#include <optional>

namespace zorvex {

class SharedBlock;

// One undoable step: the editable records before and after it. Undo puts the fields the step
// changed back to `before`, redo to `after`; both raise the write bits of the changed records
// (and mark the changed rows) through the shared block, so the lamp receives them like an edit.
// Steps with the same non-empty merge key that follow one another become one step.
class RecordEditCommand : public QUndoCommand {
public:
    RecordEditCommand(SharedBlock& block, const QString& label, QString mergeKey, EditableRecords before,
                      EditableRecords after, ChangedRecords raised);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    const EditableRecords& Before() const { return m_before; }
    const EditableRecords& After() const { return m_after; }
    // The write bits and rows the step raised: those its records differ in and those the edit
    // raised besides (an import sends all three settings records).
    const ChangedRecords& Raised() const { return m_raised; }

private:
    SharedBlock& m_block;
    QString m_mergeKey;
    EditableRecords m_before;
    EditableRecords m_after;
    ChangedRecords m_raised;
    bool m_pushed = false; // the first redo, on push, finds the edit done already
};

// The undo history of the connected device: the window wraps every edit in Begin and Commit,
// wires Undo and Redo to the stack and clears it when the connection changes.
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int Limit = 100;

    explicit EditHistory(SharedBlock& block, QObject* parent = nullptr);

    // An edit starts: the records as they are now. `label` names the step in the menu texts;
    // steps with the same `mergeKey` in one focus session merge (empty: never). Nested Begin and
    // Commit pairs count as the outermost one.
    void Begin(const QString& label, const QString& mergeKey = {});
    // The edit is done: a step is pushed when it changed any record.
    void Commit();
    // The edit started by Begin ended without being one (a download replaced the rows under it).
    void Cancel();
    // The control with the keyboard focus changed: the next step merges with none before it.
    void NewSession() { ++m_session; }
    // Forgets every step (another device, a disconnect).
    void Clear();

    QUndoStack* Stack() { return &m_stack; }
    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    QString UndoLabel() const { return m_stack.undoText(); }
    QString RedoLabel() const { return m_stack.redoText(); }
    void Undo();
    void Redo();

Q_SIGNALS:
    // An undo or redo changed the records: the pages show them again.
    void restored();

private:
    SharedBlock& m_block;
    QUndoStack m_stack;
    std::optional<EditableRecords> m_before;
    std::uint32_t m_flagsBefore = 0;
    std::vector<std::uint8_t> m_dirtyBefore;
    QString m_label;
    QString m_mergeKey;
    int m_depth = 0;
    unsigned m_session = 0;
};

// Begin in the constructor, Commit in the destructor; nothing without a history.
class EditStep {
public:
    EditStep(EditHistory* history, const QString& label, const QString& mergeKey = {});
    ~EditStep();
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

private:
    EditHistory* m_history;
};

} // namespace zorvex
