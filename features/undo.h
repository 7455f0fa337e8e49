#pragma once

// Undo and Redo: every user action that changes the document is one step that can be
// taken back and applied again, and the whole window follows.
//
// A step ends after the action's handler: a button or chooser, a press-drag-release-click
// or a key on the canvas, a file drop. Typing into one field is one step until the focus
// leaves the field or another action starts. Changes made outside those (the type-table
// editor's save) end at the next press or key. An action that changes nothing is no step.

class frmMain;
class QUndoStack;

// Connects the step boundaries and the Undo and Redo buttons. Call once, after every other
// control is connected: the boundaries must run after the handlers.
void installUndo(frmMain &form);
// Start-up's own changes are the starting point: forgets them and every step.
void resetUndo(frmMain &form);
// Ends the step under way, for handlers run without their control (the benchmark).
void endUndoStep(frmMain &form);
void btnundo_Click(frmMain &form);
void btnredo_Click(frmMain &form);
// The steps of the session (for tests and the benchmark).
QUndoStack &undoStack(frmMain &form);
