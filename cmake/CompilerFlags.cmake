# Numbers must come out bit-exact in the order the formulas are written:
# no fused multiply-add, no fast-math reassociation.
add_compile_options(-Wall -Wextra -Wpedantic -ffp-contract=off -fno-fast-math)

if(QUILLAN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The shared sanitizer runtime, so the component libraries (linked with --no-undefined)
# resolve it too; scripts/fuzz.sh puts it on the library path.
if(QUILLAN_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -shared-libasan)
endif()
