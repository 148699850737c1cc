#pragma once
// The two forms of the order form and what they share.
#include <string>
#include <string_view>

struct GeneralSettings;
struct GenerationRun;

// zko00000.html (order_form_default_page.cpp).
int writeDefaultOrderPage(GenerationRun& run);
// The template form under the last path component of orderFormUrl
// (order_form_template_page.cpp).
int writeTemplateOrderForm(GenerationRun& run);

// The form posts to a handler: includeCgiAction with a cgiAction.
bool cgiHandling(const GeneralSettings& general);
// "GET" or "POST" as cgiMethod says.
const char* cgiMethodName(const GeneralSettings& general);
// The order text's extra text as page text: each line break a <BR>,
// carriage returns dropped.
std::string lineBreaksAsBreaks(std::string_view text);
