#pragma once
// The order form that the basket's order button leads to: the default page
// zko00000.html, whose script writes the form with the basket's lines into
// a window of its own, or, when the form lives at another address
// (orderFormUrl), the shop's template zkof01.dat filled in and written
// under that address's last path component.
struct GenerationRun;

// Nothing unless orderFormFlags bit 0 is set and useCustomForm is clear.
// 0, or -1 when the page could not be written (the template form: when the
// template or the output cannot be opened, after "couldn't open %s").
int OrderFormPage(GenerationRun& run);
