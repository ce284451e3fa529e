#include "ui/mainwindow/file_search_form.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/win32/shell_namespace.h"
#include "ui/mainwindow/commands.h"
#include "ui/mainwindow/function_bar.h"
#include "ui/win32/dpi.h"

namespace glmx::ui {

FileSearchForm::FileSearchForm(FileSearchFormEvents events)
    : events_(std::move(events)), tree_(ShellTreeEvents{{}, [this] {
                                                            if (events_.treeActed)
                                                                events_.treeActed();
                                                        }}) {}

void FileSearchForm::Create(HWND panel) {
    panel_ = panel;
    nameLabel_ =
        CreateChild(WC_STATICW, L"All or part of the file name:", SS_LEFT | SS_NOPREFIX, panel);
    nameBox_.Attach(CreateChild(WC_COMBOBOXW, L"",
                                WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, panel,
                                idSearchNameBox));
    lookInLabel_ = CreateChild(WC_STATICW, L"Look in:", SS_LEFT | SS_NOPREFIX, panel);
    lookInBox_.Attach(CreateChild(WC_COMBOBOXW, L"",
                                  WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, panel,
                                  idLookInBox));
    browse_ =
        CreateChild(WC_BUTTONW, L"Browse...", WS_TABSTOP | BS_PUSHBUTTON, panel, cmdBrowseLookIn);
    tree_.Create(panel, idSearchFolderTree);
    stop_ = CreateChild(WC_BUTTONW, L"Stop", WS_TABSTOP | BS_PUSHBUTTON, panel, cmdStopSearch);
    search_ =
        CreateChild(WC_BUTTONW, L"Search", WS_TABSTOP | BS_DEFPUSHBUTTON, panel, cmdSearchFiles);
}

void FileSearchForm::Layout(int width, int height, UINT dpi) {
    const int margin = Scale(4, dpi), labelHeight = Scale(16, dpi), boxHeight = Scale(23, dpi);
    const int buttonWidth = Scale(75, dpi), buttonHeight = Scale(25, dpi);
    const int inner = std::max(0, width - 2 * margin);
    int top = margin;
    Place(nameLabel_, margin, top, inner, labelHeight);
    top += labelHeight + Scale(2, dpi);
    Place(nameBox_.Handle(), margin, top, inner, Scale(200, dpi));
    top += boxHeight + Scale(8, dpi);
    Place(lookInLabel_, margin, top, inner, labelHeight);
    top += labelHeight + Scale(2, dpi);
    Place(lookInBox_.Handle(), margin, top, inner - buttonWidth - margin, Scale(200, dpi));
    Place(browse_, width - margin - buttonWidth, top - 1, buttonWidth, buttonHeight);
    top += boxHeight + Scale(8, dpi);
    const int buttonsTop = height - margin - buttonHeight;
    Place(tree_.Handle(), margin, top, inner, buttonsTop - margin - top);
    Place(search_, width - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    Place(stop_, width - 2 * (margin + buttonWidth), buttonsTop, buttonWidth, buttonHeight);
}

void FileSearchForm::SetFonts(const PartFonts& fonts) {
    for (HWND window : {nameLabel_, nameBox_.Handle(), lookInLabel_, lookInBox_.Handle(), browse_,
                        tree_.Handle(), stop_, search_})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal), TRUE);
}

bool FileSearchForm::OnCommand(int command) {
    const std::function<void()>* event = nullptr;
    switch (command) {
        case cmdSearchFiles:
            event = &events_.searchClicked;
            break;
        case cmdStopSearch:
            event = &events_.stopClicked;
            break;
        case cmdBrowseLookIn:
            event = &events_.browseClicked;
            break;
        case idSearchNameBox:
        case idLookInBox:
            return true;
        default:
            return false;
    }
    if (*event) (*event)();
    return true;
}

bool FileSearchForm::OnNotify(const NMHDR& header, LRESULT& result) {
    return tree_.OnNotify(header, result);
}

void FileSearchForm::RootTreeOnce() {
    if (!tree_.Root()) tree_.SetRoot(platform::win32::SpecialFolderIdList(CSIDL_DESKTOP).get());
}

void FileSearchForm::SetSearching(bool searching) { EnableWindow(search_, !searching); }

}  // namespace glmx::ui
