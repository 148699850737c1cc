#pragma once
// The pages of the appearance sheet in the left pane, as tables of fields.
#include <span>

#include "app/core/form_fields.h"

// "Settings": the catalogue's title, files and folders, the preview's size,
// and whether basket and order form are included.
std::span<const FormField> settingsPageFields();
