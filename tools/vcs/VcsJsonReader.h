#pragma once

#include <string>
#include <vector>

#include "tools/vcs/VcsJson.h"
#include "tools/vcs/VcsModel.h"
#include "tools/vcs/VcsValueForms.h"

// The inverse of the token listing: turns a JSON source into tokens, writing every value form.
// Anything that does not fit throws VcsBuildError naming the record and property.
VcsStream StreamFromJson(const VcsJson& root, VcsBuildContext& context);

// A list of {"name": ..., "value": ...} entries, as properties, nested values and list records use.
std::vector<VcsProperty> PropertiesFromJson(const VcsJson& list, VcsBuildContext& context,
                                            const std::string& where);

// The entries' bytes, refused when their length would not fit a number token.
std::string CheckedEntries(const std::vector<VcsProperty>& properties, const std::string& where);
// Entries behind their byte length, refused when the length would not fit a number token.
std::string EntriesBlock(const std::vector<VcsProperty>& properties, const std::string& where);
