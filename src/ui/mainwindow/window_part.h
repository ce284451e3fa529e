// A part of the main window with controls of its own (a notebook page, the
// information panel). It lays them out and handles their commands and
// notifications; the main window routes each part its block of identifiers.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace glmx::ui {

struct PartFonts {
    HFONT normal = nullptr;
    HFONT label = nullptr;  // bold, 16 pixels
};

class WindowPart {
public:
    virtual ~WindowPart() = default;
    virtual void OnCommand(int /*command*/, int /*notification*/) {}
    virtual LRESULT OnNotify(NMHDR& /*header*/) { return 0; }
    // The user asked for the context menu of one of the part's controls; true when shown.
    virtual bool OnContextMenu(HWND /*control*/, POINT /*screenPoint*/) { return false; }
    // A splitter of the part was dragged to this position (its parent's client coordinates).
    virtual void OnSplitterMoved(int /*splitterId*/, int /*position*/) {}
    // The fonts stay the main window's; a part only hands them to its controls.
    virtual void SetFonts(const PartFonts& /*fonts*/) {}
};

}  // namespace glmx::ui
