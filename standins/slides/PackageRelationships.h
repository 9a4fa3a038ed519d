#pragma once
// Relationships between the parts of an Office Open XML package: which part
// a relationship id of another part names.
#include <map>
#include <string>

namespace slides {

class ZipArchive;

// Relationship id -> part name, for the relationships of `part` that point
// inside the package. A part without a relationships part has none; false
// only for a relationships part that is there but cannot be read.
bool ReadRelationships(const ZipArchive& package, const std::string& part, std::map<std::string, std::string>& targets);

// The part a relationship of `sourcePart` names by `target` (relative to the
// source's folder, or absolute from the package root); empty when it climbs
// out of the package.
std::string ResolveTarget(const std::string& sourcePart, const std::string& target);

// The main presentation part the package's root relationships name.
std::string MainPart(const ZipArchive& package);

}  // namespace slides
