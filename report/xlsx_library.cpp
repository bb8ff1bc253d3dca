#include "report/xlsx_library.h"

#include <dlfcn.h>

namespace {

// The library's run-time name, as the package libxlsxwriter4 installs it.
constexpr char kLibraryFile[] = "libxlsxwriter.so.4";

template <typename Function>
bool Resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

bool Load(XlsxLibrary& xlsx)
{
    // Never closed: the functions stay valid for the rest of the program.
    void* library = dlopen(kLibraryFile, RTLD_NOW | RTLD_LOCAL);
    return library != nullptr && Resolve(library, "workbook_new_opt", xlsx.workbook_new_opt) &&
           Resolve(library, "workbook_add_worksheet", xlsx.workbook_add_worksheet) &&
           Resolve(library, "workbook_add_format", xlsx.workbook_add_format) &&
           Resolve(library, "workbook_close", xlsx.workbook_close) &&
           Resolve(library, "format_set_border", xlsx.format_set_border) &&
           Resolve(library, "format_set_num_format_index", xlsx.format_set_num_format_index) &&
           Resolve(library, "worksheet_set_column", xlsx.worksheet_set_column) &&
           Resolve(library, "worksheet_write_blank", xlsx.worksheet_write_blank) &&
           Resolve(library, "worksheet_write_string", xlsx.worksheet_write_string) &&
           Resolve(library, "worksheet_insert_image_buffer", xlsx.worksheet_insert_image_buffer) &&
           Resolve(library, "lxw_rowcol_to_cell", xlsx.lxw_rowcol_to_cell);
}

}  // namespace

const XlsxLibrary* OpenXlsxLibrary()
{
    static XlsxLibrary xlsx;
    static const bool loaded = Load(xlsx);
    return loaded ? &xlsx : nullptr;
}
