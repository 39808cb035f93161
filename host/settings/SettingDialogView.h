// The settings dialog's window as its logic sees it.
#pragma once

#include "VarnPlugin.h"

#include <string>

class ISettingDialogView {
public:
    virtual ~ISettingDialogView() = default;

    // The dialog's own window handle, handed to plug-in pages as their parent.
    virtual VARN_WINDOW Window() = 0;

    // Page list: a fresh list and image list for every opening.
    virtual void ClearPageList() = 0;
    // Loads a 32x32 icon file into the image list; its index, or -1 when the
    // file does not load as an icon.
    virtual int AddIconFile(const std::string& path) = 0;
    // Appends the application's icon; its index.
    virtual int AddApplicationIcon() = 0;
    virtual void InsertPageItem(int index, const std::string& text, int image) = 0;

    // Plug-in page windows: placed at the page position, raised and shown; or hidden.
    virtual void ShowPluginPage(VARN_WINDOW page) = 0;
    virtual void HidePluginPage(VARN_WINDOW page) = 0;

    // The general page's window: created once per opening, hidden.
    virtual void CreateGeneralPage() = 0;
    virtual void ShowGeneralPage(bool show) = 0;

    virtual void SetCaption(const std::string& text) = 0;
    virtual void EnableOk(bool enable) = 0;
    virtual void EnableApply(bool enable) = 0;
    // A message box with the application's name as caption and an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // Ends the modal run with 1 (OK) or 2 (Cancel).
    virtual void EndDialog(int result) = 0;
};
