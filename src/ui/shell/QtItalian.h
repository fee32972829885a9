#pragma once

class QCoreApplication;

// Qt's own dialogs (the file chooser and its questions, the print dialog) speak Italian like the
// program: Qt's Italian translation, from Qt's translation folder, and the few texts of the print
// dialog that it leaves in English.
namespace QtItalian {

void install(QCoreApplication& application);

} // namespace QtItalian
