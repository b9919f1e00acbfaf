#pragma once

// The criteria of a duct system, taken from the configuration files as the
// system file or the command line names them: a duct style, or a material
// (row number or name) or a roughness with the limits.

#include "config/config_records.h"
#include "engine/duct_sizing.h"
#include "engine/duct_system_file.h"

#include <string>

namespace kestrix {

struct DuctConfigTables {
    const MaterialTable& materials;
    const DuctStyleTable& styles;
    const StyleNameList& list;
};

// Fills file.system.settings.criteria (and the units, when the file gives
// none, from the style) from file.choice. False with a message in the
// interface language when the choice names nothing usable.
bool ResolveSystemCriteria(SystemFile& file, const DuctConfigTables& tables, std::string& error);

} // namespace kestrix
