# Writes a C++ file defining `const char* const VARIABLE` holding the text of INPUT.
# Usage: cmake -DINPUT=... -DOUTPUT=... -DVARIABLE=... -DNAMESPACE=... -P EmbedText.cmake
file(READ "${INPUT}" content)
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.\nnamespace ${NAMESPACE} {\nextern const char* const ${VARIABLE};\nconst char* const ${VARIABLE} = R\"EMBEDDED_TEXT(${content})EMBEDDED_TEXT\";\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
