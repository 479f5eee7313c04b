#!/usr/bin/env bash
# Makes the delay-load import library of one system DLL, naming exactly those of its functions
# that the given objects call: a call added later cannot miss the list and so load the DLL at
# start after all. Beside it, OUTPUT with .ld for .a: a linker script that asks for each
# function's thunk, which the 32-bit ld otherwise drops when the code only reads the import
# pointer, leaving the pointer 0 until a call jumps there.
#   cmake/delay_library.sh NM DLLTOOL COMPILER BITS DLL OUTPUT OBJECT...
set -euo pipefail
nm=$1 dlltool=$2 compiler=$3 bits=$4 dll=$5 output=$6
shift 6
library=$("$compiler" -print-file-name="lib$dll.a")
# A call goes through the import pointer __imp_NAME, a function's address taken in an
# initializer through the stub NAME. 32-bit names carry the C underscore, and stdcall ones their
# argument bytes (_send@16); the .def file names them without the underscore.
called=$("$nm" -u "$@" | sed -n 's/^ *U \(__imp_\)\{0,1\}//p' | sort -u)
exported=$("$nm" "$library" | sed -n 's/^[0-9a-f]* I __imp_//p' | sort -u)
calls=$(comm -12 <(echo "$called") <(echo "$exported"))
if [ -n "$calls" ]; then
  printf 'EXTERN(%s)\n' "$(printf '"%s" ' $calls)"
else
  echo '/* no calls */'
fi >"${output%.a}.ld"
[ "$bits" = 32 ] && calls=$(sed 's/^_//' <<<"$calls")
def=${output%.a}.def
printf 'LIBRARY %s.dll\nEXPORTS\n%s\n' "$dll" "$calls" >"$def"
"$dlltool" --kill-at --input-def "$def" --output-delaylib "$output"
