# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
# The pointer and keyboard actions that the end-to-end runs share
# (scripts/nieuwe_gebruiker.sh on Linux, scripts/windows_e2e.sh under Wine),
# sourced by both, so that both build the very same board with the very same
# moves and can be held to one saved file (tests/e2e/schakeling.brd).
#
# Expects: venster (the main window's X id), bx/by (the board's top-left
# corner on the screen), werk (a scratch folder); pauze (seconds after a key
# or click, default 0.3).
pauze=${pauze:-0.3}
LED_AAN='#FF0000'
LED_UIT='#800000'

toets() { xdotool windowfocus --sync "$venster" 2>/dev/null || true; xdotool key --clearmodifiers "$@"; sleep "$pauze"; }
wijs() { xdotool mousemove --sync $((bx + $1)) $((by + $2)); sleep 0.05; }
klik() { wijs "$1" "$2"; xdotool click 1; sleep "$pauze"; }
kleur() { # the colour of one board pixel as #RRGGBB
    import -window root -crop 1x1+$((bx + $1))+$((by + $2)) "$werk/pixel.png" 2>/dev/null
    convert "$werk/pixel.png" -format '#%[hex:p{0,0}]' info: | cut -c1-7
}
# Takes a module through a menu (access keys) and drops its corner at (X, Y).
neem() { # neem X Y KEYS...
    local x=$1 y=$2
    shift 2
    wijs 360 300
    toets "$@"
    wijs $((x + 20)) $((y + 20))
    klik "$x" "$y"
}
# Drags a wire from an output to an input.
draad() { # draad FROM_X FROM_Y TO_X TO_Y
    wijs "$1" "$2"
    xdotool mousedown 1
    sleep 0.1
    wijs $(($1 + 30)) $(($2 + 5))
    wijs $(($3 - 5)) "$4"
    wijs "$3" "$4"
    xdotool mouseup 1
    sleep "$pauze"
}
# A push button, an inverter and an LED from the menus, in a row.
zet_schakeling() {
    neem 40 100 alt+i d        # Invoer > Drukschakelaar
    neem 280 100 alt+i Right i # Verwerking > Invertor
    neem 500 100 alt+u l       # Uitvoer > LED
}
# Push button -> inverter -> LED.
bedraad_schakeling() {
    draad 208 132 296 156 # push button's output -> inverter's input
    draad 432 156 524 132 # inverter's output -> LED's input
}
