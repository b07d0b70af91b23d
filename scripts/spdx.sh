#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#
# The licence header of every source file the repository tracks: two SPDX
# lines at the top (after a "#!" line), in the file's own comment style.
#
#   SPDX-License-Identifier: GPL-3.0-or-later     the program, its tests, scripts
#   SPDX-License-Identifier: MIT                  src/plugins/kwintel_plugin.h and
#                                                 src/plugins/voorbeelden/*, which
#                                                 plug-ins of any licence may use
#   SPDX-FileCopyrightText: YEAR Kwintelvlak-ontwikkelaars
#
#   scripts/spdx.sh             checks: lists each file whose header is missing
#                               or names the wrong licence; exit status 1 then
#   scripts/spdx.sh --zet       adds the header where it is missing (YEAR: the
#                               year the file was first committed) and mends a
#                               wrong identifier
#
# Source files: C, C++, CMake, shell, Python and make files (by name or by
# their "#!" line). Data (boards, pages, pictures, check files) is covered by
# debian/copyright per path.
set -euo pipefail
cd "$(dirname "$0")/.."
modus=controleer
case "${1:-}" in
    "") ;;
    --zet) modus=zet ;;
    *) echo "gebruik: $0 [--zet]" >&2; exit 2 ;;
esac
houder="Kwintelvlak-ontwikkelaars"

licentie() { # FILE
    case "$1" in
        src/plugins/kwintel_plugin.h | src/plugins/voorbeelden/*) echo MIT ;;
        *) echo GPL-3.0-or-later ;;
    esac
}

# The comment style: "c" for /* */, "cpp" for //, "hekje" for #; nothing for
# files that are no source.
stijl() { # FILE
    case "$1" in
        *.c | src/plugins/kwintel_plugin.h | src/plugins/voorbeelden/*.h) echo c ;;
        *.cpp | *.h) echo cpp ;;
        *.cmake | */CMakeLists.txt | CMakeLists.txt | *.sh | *.py | debian/rules) echo hekje ;;
        *)
            if [ -f "$1" ] && head -c 2 "$1" | grep -q '^#!'; then echo hekje; fi
            ;;
    esac
}

kop() { # STYLE LICENCE YEAR
    case "$1" in
        c) printf '/* SPDX-License-Identifier: %s\n * SPDX-FileCopyrightText: %s %s */\n' "$2" "$3" "$houder" ;;
        cpp) printf '// SPDX-License-Identifier: %s\n// SPDX-FileCopyrightText: %s %s\n' "$2" "$3" "$houder" ;;
        hekje) printf '# SPDX-License-Identifier: %s\n# SPDX-FileCopyrightText: %s %s\n' "$2" "$3" "$houder" ;;
    esac
}

fout=0
while IFS= read -r -d '' f; do
    [ -f "$f" ] || continue
    s=$(stijl "$f")
    [ -n "$s" ] || continue
    l=$(licentie "$f")
    boven=$(head -n 6 "$f")
    gevonden=$(printf '%s\n' "$boven" | sed -n 's/.*SPDX-License-Identifier: *\([^ *]*\).*/\1/p' | head -n 1)
    heeftHouder=$(printf '%s\n' "$boven" | grep -c "SPDX-FileCopyrightText: .*$houder" || true)
    if [ "$gevonden" = "$l" ] && [ "$heeftHouder" -gt 0 ]; then
        continue
    fi
    if [ "$modus" = controleer ]; then
        if [ -z "$gevonden" ]; then
            echo "$f: geen SPDX-kop (verwacht $l)"
        elif [ "$gevonden" != "$l" ]; then
            echo "$f: licentie $gevonden, verwacht $l"
        else
            echo "$f: geen SPDX-FileCopyrightText met $houder"
        fi
        fout=1
        continue
    fi
    if [ -n "$gevonden" ]; then
        # Only the identifier is wrong (or the holder line is missing, which
        # a header we wrote never lacks): mend the identifier in place.
        sed -i "0,/SPDX-License-Identifier: *$gevonden/s//SPDX-License-Identifier: $l/" "$f"
        echo "$f: licentie $gevonden -> $l"
        continue
    fi
    jaar=$(git log --diff-filter=A --format=%ad --date=format:%Y -- "$f" | tail -n 1)
    jaar=${jaar:-$(date +%Y)}
    nieuw=$(mktemp)
    if head -c 2 "$f" | grep -q '^#!'; then
        { head -n 1 "$f"; kop "$s" "$l" "$jaar"; tail -n +2 "$f"; } >"$nieuw"
    else
        { kop "$s" "$l" "$jaar"; cat "$f"; } >"$nieuw"
    fi
    # Keep the file's mode (scripts stay executable).
    cat "$nieuw" >"$f"
    rm -f "$nieuw"
    echo "$f: kop toegevoegd ($l, $jaar)"
done < <(git ls-files -z)
if [ "$modus" = controleer ] && [ "$fout" = 0 ]; then
    echo "spdx: elk bronbestand heeft zijn licentiekop"
fi
exit "$fout"
