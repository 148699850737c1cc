#include <optional>
#include <string>
#include <vector>

#include "generator/generation_run.h"
#include "generator/order_form_files.h"
#include "generator/order_form_sections.h"
#include "generator/page_writer.h"
#include "model/paths.h"

// The shop's template is copied line by line; the lines marked with "<!"
// and START1, START2 or START3 give way to the form tag with the hidden
// fields, the address lines and the closing text. A marker the template
// lacks puts its piece after the template's last line.
namespace {

// The text after the address's last "/" (or backslash, so that the name
// stays inside the output folder); empty when that names no file.
std::string formFileName(const GeneralSettings& general) {
    std::string name(baseName(fieldText(general.orderFormUrl)));
    if (name == "." || name == "..")
        return {};
    return name;
}

void writeFormTag(const GenerationRun& run, PageWriter& out) {
    const GeneralSettings& g = run.general;
    out.put("<FORM NAME=\"OrdForm\" ONSUBMIT=\"return cF(this.email,this.NAME);\" ");
    out.printf("METHOD=%s %s>\n", cgiMethodName(g), std::string(fieldText(g.cgiAction)).c_str());
    if (!cgiHandling(g))
        return;
    for (const auto& field : g.cgiHiddenFields) {
        if (field[0] != '\0')
            out.printf("<INPUT TYPE=HIDDEN %s >\n", std::string(fieldText(field)).c_str());
    }
}

void writeAddress(const OrderText& text, PageWriter& out) {
    for (int i = 0; i < kOrderAddressLinesUsed; ++i)
        out.printf("  %s<BR>\n", text.addressLines[i].c_str());
}

void writeClosingText(const OrderText& text, PageWriter& out) {
    if (text.extraText.empty())
        return;
    out.put(lineBreaksAsBreaks(text.extraText));
    out.put("\n");
}

} // namespace

int writeTemplateOrderForm(GenerationRun& run) {
    const std::string templatePath = run.programFile(kOrderFormTemplateFile);
    const std::string name = formFileName(run.general);
    const std::string path = run.outputPath(name);
    std::optional<std::vector<std::string>> lines = readOrderFormTemplate(templatePath);
    if (!lines) {
        run.messages.show(formatText("couldn't open %s", templatePath.c_str()), "", MessageButtons::Ok);
        run.fileNotWritten(path);
        return -1;
    }
    PageWriter out;
    if (name.empty() || !out.open(path)) {
        run.messages.show(formatText("couldn't open %s", path.c_str()), "", MessageButtons::Ok);
        run.fileNotWritten(path);
        return -1;
    }
    const OrderText text = readOrderText(run.programFile(kOrderTextFile));
    std::size_t next = 0;
    // Copies the template up to the marker of word, which is dropped.
    auto copyUpTo = [&](std::string_view word) {
        for (; next < lines->size(); ++next) {
            if (isOrderFormMarker((*lines)[next], word)) {
                ++next;
                return;
            }
            out.put((*lines)[next]);
        }
    };
    copyUpTo("VIMRA START1");
    writeFormTag(run, out);
    copyUpTo("VIMRA START2");
    writeAddress(text, out);
    copyUpTo("VIMRA START3");
    writeClosingText(text, out);
    for (; next < lines->size(); ++next)
        out.put((*lines)[next]);
    const std::size_t unwrittenBefore = run.unwrittenFiles.size();
    run.closePage(out);
    return run.unwrittenFiles.size() == unwrittenBefore ? 0 : -1;
}
