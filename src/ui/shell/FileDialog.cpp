#include "FileDialog.h"

#include "widgets/DoubleClickGuard.h"

#include <QFileDialog>

namespace {
FileDialog::Responder& responder()
{
    static FileDialog::Responder value;
    return value;
}
} // namespace

QString FileDialog::run(QWidget* parent, const Request& request)
{
    if (responder())
        return responder()(request);

    QFileDialog dialog(parent, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(request.filters);
    if (request.mode == Request::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        dialog.selectFile(request.proposedName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // The dialog opens over the button that opened it, its list of files under the pointer: the
    // second click of a double-click on the button must not pick a file.
    DoubleClickGuard::instance().guard(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FileDialog::setResponder(Responder value)
{
    responder() = std::move(value);
}
