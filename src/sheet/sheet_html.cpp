// placeholder until the HTML form lands
#include "sheet/sheet_html.h"
namespace runnelex::sheet {
std::string sheetHtml(const SheetDocument&, Paper) {
    return "<html></html>\n";
}
std::string htmlOpening(const SheetIndex&, Paper) {
    return "<html>\n";
}
std::string htmlSheet(const SheetDocument&) {
    return "";
}
std::string htmlClosing() {
    return "</html>\n";
}
} // namespace runnelex::sheet
