#pragma once

// The application's resources, registered by id as data: strings, dialog
// templates, menus, accelerator tables and icons. The shell registers its
// own (shell/resources) at start-up; the toolkit looks them up by the ids the
// design uses. One table per process.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/resources/accelerator_table.h"
#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/resources/menu_template.h"

// An icon as tightly packed RGBA pixels, top row first.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width × height × 4 bytes
};

class CResourceTable {
public:
    // Registration replaces an earlier entry of the same id.
    void AddString(UINT id, std::string text);
    void AddDialog(DialogTemplate dialog);
    void AddMenu(MenuTemplate menu);
    void AddAccelerators(UINT id, std::vector<Accelerator> entries);
    // False (nothing stored) when the pixel count does not match the size.
    bool AddIcon(UINT id, IconImage icon);

    std::optional<std::string> LoadString(UINT id) const;
    // Null when absent; pointers stay valid until the entry is replaced or
    // the table cleared.
    const DialogTemplate* FindDialog(UINT id) const;
    const MenuTemplate* FindMenu(UINT id) const;
    const CAcceleratorTable* FindAccelerators(UINT id) const;
    const IconImage* FindIcon(UINT id) const;

    void Clear();

private:
    template <class T>
    struct Entry {
        UINT id;
        T value;
    };
    template <class T>
    static const T* Find(const std::vector<Entry<T>>& entries, UINT id);
    template <class T>
    static void Put(std::vector<Entry<T>>& entries, UINT id, T value);

    std::vector<Entry<std::string>> strings_;
    std::vector<Entry<DialogTemplate>> dialogs_;
    std::vector<Entry<MenuTemplate>> menus_;
    std::vector<Entry<CAcceleratorTable>> accelerators_;
    std::vector<Entry<IconImage>> icons_;
};

// The process's resource table.
CResourceTable& AfxResources();

// Field index of a document string ("title\ndocName\nfileNewName\n...").
enum class DocStringIndex {
    WindowTitle = 0,
    DocName = 1,
    FileNewName = 2,
    FilterName = 3,
    FilterExt = 4,
    RegFileTypeId = 5,
    RegFileTypeName = 6,
};

// Field index of documentString, split at '\n'; empty when absent.
std::string DocStringField(const std::string& documentString, DocStringIndex index);
