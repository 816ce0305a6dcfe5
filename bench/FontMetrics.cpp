#include "FontMetrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <stdexcept>

namespace quenta::bench {

double EmPixelsForCell(const std::string& fontFile, int cellSize) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType did not start");
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        throw std::runtime_error("FreeType cannot read " + fontFile);
    }
    // As Scrivo2 measures a cell: the OS/2 Windows metrics where there are any.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double height = face->ascender - face->descender;
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        height = os2->usWinAscent + os2->usWinDescent;
    }
    const double em = cellSize * static_cast<double>(face->units_per_EM) / height;
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return em;
}

}  // namespace quenta::bench
