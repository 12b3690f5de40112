#include "platform/ui/resources/resource_table.h"

#include <utility>

template <class T>
const T* CResourceTable::Find(const std::vector<Entry<T>>& entries, UINT id) {
    for (const Entry<T>& entry : entries) {
        if (entry.id == id) {
            return &entry.value;
        }
    }
    return nullptr;
}

template <class T>
void CResourceTable::Put(std::vector<Entry<T>>& entries, UINT id, T value) {
    for (Entry<T>& entry : entries) {
        if (entry.id == id) {
            entry.value = std::move(value);
            return;
        }
    }
    entries.push_back({id, std::move(value)});
}

void CResourceTable::AddString(UINT id, std::string text) {
    Put(strings_, id, std::move(text));
}

void CResourceTable::AddDialog(DialogTemplate dialog) {
    const UINT id = dialog.id;
    Put(dialogs_, id, std::move(dialog));
}

void CResourceTable::AddMenu(MenuTemplate menu) {
    const UINT id = menu.id;
    Put(menus_, id, std::move(menu));
}

void CResourceTable::AddAccelerators(UINT id, std::vector<Accelerator> entries) {
    Put(accelerators_, id, CAcceleratorTable(std::move(entries)));
}

bool CResourceTable::AddIcon(UINT id, IconImage icon) {
    if (icon.width <= 0 || icon.height <= 0 ||
        icon.rgba.size() != static_cast<std::size_t>(icon.width) * icon.height * 4) {
        return false;
    }
    Put(icons_, id, std::move(icon));
    return true;
}

std::optional<std::string> CResourceTable::LoadString(UINT id) const {
    if (const std::string* text = Find(strings_, id)) {
        return *text;
    }
    return std::nullopt;
}

const DialogTemplate* CResourceTable::FindDialog(UINT id) const {
    return Find(dialogs_, id);
}
const MenuTemplate* CResourceTable::FindMenu(UINT id) const {
    return Find(menus_, id);
}
const CAcceleratorTable* CResourceTable::FindAccelerators(UINT id) const {
    return Find(accelerators_, id);
}
const IconImage* CResourceTable::FindIcon(UINT id) const {
    return Find(icons_, id);
}

void CResourceTable::Clear() {
    strings_.clear();
    dialogs_.clear();
    menus_.clear();
    accelerators_.clear();
    icons_.clear();
}

CResourceTable& AfxResources() {
    static CResourceTable table;
    return table;
}

std::string DocStringField(const std::string& documentString, DocStringIndex index) {
    std::size_t start = 0;
    for (int field = 0; field < static_cast<int>(index); ++field) {
        const std::size_t newline = documentString.find('\n', start);
        if (newline == std::string::npos) {
            return {};
        }
        start = newline + 1;
    }
    const std::size_t end = documentString.find('\n', start);
    return documentString.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
