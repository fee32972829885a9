#include "FileDialog.h"

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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FileDialog::setResponder(Responder value)
{
    responder() = std::move(value);
}
