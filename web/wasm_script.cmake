# Writes SCRIPT, which gives the page the WebAssembly file WASM as a data: address, for a page
# opened from its file (where it may fetch no file). Run by the build: cmake -D ... -P
# wasm_script.cmake. The prefix is the one emscripten's runtime takes for embedded bytes.
execute_process(COMMAND base64 --wrap=0 "${WASM}" OUTPUT_VARIABLE bytes COMMAND_ERROR_IS_FATAL ANY)
file(WRITE "${SCRIPT}" "var orbitdotsWasm = 'data:application/octet-stream;base64,${bytes}';\n")
