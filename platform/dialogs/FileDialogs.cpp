#include "platform/dialogs/FileDialogs.h"

#include "platform/dialogs/ImGuiFileDialogs.h"

namespace dialogs {

namespace {

std::unique_ptr<FileDialogService>& Installed()
{
    static std::unique_ptr<FileDialogService> service;
    return service;
}

} // namespace

bool FileDialogService::RequestOpen(FileDialogRequest request, FileDialogCallback callback)
{
    request.kind = FileDialogKind::Open;
    return Request(request, std::move(callback));
}

bool FileDialogService::RequestSave(FileDialogRequest request, FileDialogCallback callback)
{
    request.kind = FileDialogKind::Save;
    return Request(request, std::move(callback));
}

FileDialogService& GetFileDialogs()
{
    std::unique_ptr<FileDialogService>& service = Installed();
    if (!service)
        service = std::make_unique<ImGuiFileDialogs>();
    return *service;
}

void SetFileDialogs(std::unique_ptr<FileDialogService> service) { Installed() = std::move(service); }

} // namespace dialogs
