// The purchase block of an item page calls the home page's AddProdToQuote:
// for every kind of data file and button the call must pass exactly the
// arguments the function declares, in its order, or every later argument
// lands in the wrong parameter.
#include <map>
#include <string>
#include <vector>

#include "generator/basket_script.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/page_writer.h"
#include "tests/support/generator_fixture.h"

namespace {

// The text in the parentheses after the first `opening` of text, split at
// the commas that stand outside quotes, parentheses and brackets.
std::vector<std::string> argumentsAfter(const std::string& text, const std::string& opening) {
    std::vector<std::string> arguments;
    const std::size_t at = text.find(opening);
    if (at == std::string::npos)
        return arguments;
    std::string current;
    int depth = 0;
    char quote = 0;
    for (std::size_t i = at + opening.size(); i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            current += c;
            if (c == '\\' && i + 1 < text.size())
                current += text[++i];
            else if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (c == ')') {
            arguments.push_back(current);
            return arguments;
        } else if (c == ',' && depth == 0) {
            arguments.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    return {};   // never closed
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

enum class Buttons { Text, AddImage, AddAndUpdateImages };

struct Shape {
    bool code;
    bool units;
    int lists;
    bool taxTypes;
    bool includeTax;
    Buttons buttons;

    std::string name() const {
        static const char* const buttonNames[] = {"text button", "add image", "add and update images"};
        return std::string(code ? "code" : "no code") + ", " + (units ? "units" : "no units") + ", " +
               std::to_string(lists) + " lists, " + (taxTypes ? "tax types" : "no tax types") + ", " +
               (includeTax ? "tax included" : "tax not included") + ", " +
               buttonNames[static_cast<int>(buttons)];
    }

    std::string dataFile() const {
        std::string header;
        if (code)
            header += "CODE=Ref;";
        if (units)
            header += "UNIT1=kg;";
        if (lists >= 1)
            header += "SELECT1=Size;";
        if (lists >= 2)
            header += "SELECT2=Colour;";
        if (taxTypes)
            header += "TAX1=Standard;17.5;TAX2=Reduced;5;";
        std::string item = "Tee";
        if (code)
            item += ",T-1";
        item += ",10.00";
        if (units)
            item += ",0.25";
        item += ",";   // picture
        if (lists >= 1)
            item += ",Small|Large";
        if (lists >= 2)
            item += ",Red|Blue";
        if (taxTypes)
            item += ",2";
        item += ",Cotton tee\n";
        return (header.empty() ? "" : "#!" + header + "\n") + item;
    }

    // The parameters after cd,desc,up,qty,h,ps that the basket must take.
    std::vector<std::string> parameters() const {
        std::vector<std::string> names;
        if (code)
            names.push_back("pc1");
        if (units)
            names.push_back("u1");
        for (int k = 1; k <= lists; ++k)
            names.push_back("sl" + std::to_string(k));
        if (lists > 0)
            names.push_back("rf");
        if (taxTypes && includeTax)
            names.push_back("itt1");
        if (buttons != Buttons::Text)
            names.push_back("img1");
        return names;
    }

    // What the item's add call must pass for each parameter.
    std::map<std::string, std::string> values() const {
        const bool image = buttons != Buttons::Text;
        std::map<std::string, std::string> v = {
            {"pc1", "'T-1'"},
            {"u1", "0.25"},
            {"sl1", image ? "SL0[document.forms[0].SLT0.selectedIndex]" : "SL0[SLT0.selectedIndex]"},
            {"sl2", image ? "SL1[document.forms[0].SLT1.selectedIndex]" : "SL1[SLT1.selectedIndex]"},
            {"rf", "1"},
            {"itt1", "1"},   // tax type 2, counted from 0
            {"img1", buttons == Buttons::AddAndUpdateImages ? "document.forms[0].UI0" : "null"},
        };
        return v;
    }
};

class PurchaseBlockArguments : public GeneratorFixture {
protected:
    // The home page's AddProdToQuote for the data file as it stands.
    std::string addFunction() {
        GenerationRun run(*appearance, *general, messages, stderr);
        EXPECT_TRUE(run.reader.open((dir / "shop" / "shop.txt").string()));
        run.reader.readHeaderBlock();
        const std::string path = (dir / "add.js").string();
        {
            PageWriter out;
            EXPECT_TRUE(out.open(path));
            writeAddProdToQuote(run, out, homeFactsFor(run));
        }
        return readFile(path);
    }
};

TEST_F(PurchaseBlockArguments, TheItemsAddCallPassesExactlyWhatTheBasketDeclares) {
    writeFile(dir / "shop" / "add.gif", "GIF89a");
    writeFile(dir / "shop" / "update.gif", "GIF89a");
    const std::string addImage = (dir / "shop" / "add.gif").string();
    const std::string updateImage = (dir / "shop" / "update.gif").string();
    const std::vector<std::string> fixed = {"cd", "desc", "up", "qty", "h", "ps"};

    for (bool code : {false, true})
        for (bool units : {false, true})
            for (int lists : {0, 1, 2})
                for (bool taxTypes : {false, true})
                    for (bool includeTax : {false, true})
                        for (Buttons buttons : {Buttons::Text, Buttons::AddImage, Buttons::AddAndUpdateImages}) {
                            const Shape shape{code, units, lists, taxTypes, includeTax, buttons};
                            SCOPED_TRACE(shape.name());
                            general->includeTax = includeTax ? 1 : 0;
                            copyField(appearance->addButtonImage, buttons != Buttons::Text ? addImage : "");
                            copyField(appearance->updateButtonImage,
                                      buttons == Buttons::AddAndUpdateImages ? updateImage : "");
                            // The item page is what is read here; the run's own result
                            // depends on the home page's other features.
                            std::filesystem::remove_all(dir / "out");
                            generate(shape.dataFile());
                            ASSERT_TRUE(written("zk000002.html")) << diagnostics;

                            std::vector<std::string> declared = fixed;
                            for (const std::string& name : shape.parameters())
                                declared.push_back(name);
                            EXPECT_EQ(argumentsAfter(addFunction(), "function AddProdToQuote("), declared);

                            const std::string item = page("zk000002.html");
                            ASSERT_EQ(occurrences(item, "parent.AddProdToQuote("), 1u);
                            const std::vector<std::string> passed = argumentsAfter(item, "parent.AddProdToQuote(");
                            EXPECT_EQ(passed.size(), declared.size());
                            if (passed.size() != declared.size())
                                continue;
                            EXPECT_EQ(passed[0], lists > 0 ? "thisItem0" : "'2'");
                            EXPECT_EQ(passed[1], "'Cotton tee'");
                            EXPECT_EQ(passed[5], "0");
                            const auto values = shape.values();
                            for (std::size_t n = fixed.size(); n < declared.size(); ++n)
                                EXPECT_EQ(passed[n], values.at(declared[n])) << declared[n];
                        }
}

} // namespace
