#pragma once

// The program's top: connects the main window's controls and canvas events to their
// handlers, starts the program and ends it. main, the tests and the benchmark build the
// window, wire it and run Form_Load the same way.

#include <QString>

class frmMain;

// Every control and canvas event of the window to its handler. Once per window.
void wireWindow(frmMain &form);

// Start-up: month advancer, working date, the document "pic", the start object, the box
// list and buttons, the alarm report, then the first box.
void Form_Load(frmMain &form);
// Reads "pic" as the drawing. One that cannot be read is kept aside, and the newest backup
// that reads is offered instead. Returns the file read: "pic" (also when there is none yet),
// the backup chosen, or "" when the drawing starts empty because "pic" could not be read.
QString OpenDocument(frmMain &form);
// The window keeps its title-bar buttons but the close button: quitting saves first.
void RemoveCloseMenuItem(frmMain &form);
// Save & Quit: alarm dates checked, a numbered backup, then "pic", then the window closes.
void btnquit_Click(frmMain &form);
