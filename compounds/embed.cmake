# Writes the text of INPUT into OUTPUT as the C++ string corvane::compounds::EmbeddedData.
file(READ ${INPUT} text)
file(WRITE ${OUTPUT} "// Generated from compounds.csv; edit that file instead.\n"
  "#include \"compounds/compounds.h\"\n\n"
  "namespace corvane::compounds {\n"
  "extern const std::string_view EmbeddedData = R\"compounds(${text})compounds\";\n"
  "} // namespace corvane::compounds\n")
