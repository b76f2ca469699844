# shellcheck shell=bash
# What a K7X run leaves in a Wine prefix, read for the cases' checks. Source after harness.sh.
#
#   _ci_path ROOT a/b/c         the existing path under ROOT matching a/b/c without case
#   wine_value NAME             "CHARS TEXT" of a value of the uninstall entry (after flush_registry)
#   wine_printers               the printers with driver and port, "*" before the default
#   spooler_state               the Spooler service's state (STOPPED, RUNNING ...)
#   reg_sections REGEX          the keys of system.reg whose path (written with /) matches REGEX
#   walk_to_progress            the started setup.exe walked to its progress page (its run begins)
#   installation_state          all of the above that an installation of K7X leaves, for comparing
#                               two runs (ends the prefix's processes: it flushes the registry)

success="The Printer Driver has been installed successfully!"
failure="The Printer Driver installation has been failed!"
uninstall_key='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K7X printer'
# The spooler's own keys: its drivers and printers.
print_keys='Control/Print/(Environments|Printers)'

# _ci_path ROOT a/b/c: the existing path under ROOT matching a/b/c without case.
_ci_path() {
    local p=$1 part hit
    IFS=/ read -ra parts <<<"$2"
    for part in "${parts[@]}"; do
        hit=$(find "$p" -maxdepth 1 -mindepth 1 -iname "$part" -print -quit 2>/dev/null)
        [ -n "$hit" ] || { echo "$p/$part"; return; }
        p=$hit
    done
    echo "$p"
}

# wine_value NAME: "CHARS TEXT" of an uninstall value from Wine's registry: the
# UTF-16LE text as UTF-8. Wine and winemu (like NT) store one character more
# than the count the program hands to RegSetValueExA when the byte after it is
# NUL, so the size is that of the text with its terminator. CHARS is the
# character count without it.
wine_value() {
    local v type
    v=$(reg_value HKLM "$uninstall_key" "$1")
    [ -n "$v" ] || { echo "absent"; return; }
    read -r type _ <<<"$v"
    [ "$type" = 1 ] || { echo "type $type"; return; }
    perl -CO -lane 'my ($type, $size, @bytes) = @F; my @units = unpack "v*", pack "C*", map { hex } @bytes;
        my $text = pack "U*", grep { $_ } @units;
        print $size / 2 - 1 == length $text && $units[-1] == 0 ? length($text) . " $text" : "size $size for $text"' <<<"$v"
}

# wine_printers: "NAME driver=DRIVER port=PORT" a line, "*" before the default.
wine_printers() {
    local def
    def=$(awk -F'"' '/^\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Windows\]/ { s = 1; next }
                    /^\[/ { s = 0 } s && tolower($2) == "device" { split($4, f, ","); print f[1] }' "$WINEPREFIX/user.reg")
    awk -F'"' -v def="$def" '
        /^\[System\\\\CurrentControlSet\\\\Control\\\\Print\\\\Printers\\\\[^\\]*\]/ {
            n = $0; sub(/^\[.*Printers\\\\/, "", n); sub(/\].*/, "", n); p = n; next }
        /^\[/ { p = "" }
        p != "" && $2 == "Printer Driver" { d[p] = $4 }
        p != "" && $2 == "Port" { o[p] = $4 }
        END { for (k in d) print (k == def ? "* " : "  ") k " driver=" d[k] " port=" o[k] }' "$WINEPREFIX/system.reg" | sort -k2
}

# walk_to_progress: the started setup.exe walked to its progress page, where its run begins.
walk_to_progress() {
    wait_for_window 30
    click_control 12324
    click_control 12324
    select_list_entry 1006 0
    click_control 12324
}

# spooler_state: STOPPED, RUNNING, ... as the service manager reports the Spooler.
spooler_state() {
    _wine sc query spooler | tr -d '\r' | awk '$1 == "STATE" { print $4 }'
}

# reg_sections REGEX: each key of the prefix's system.reg whose path, with / for \, matches the
# ERE REGEX (case ignored), with its values; the times Wine notes for each key are left out.
reg_sections() {
    awk -v re="${1:?reg_sections REGEX}" '
        /^\[/ { path = $0; gsub(/\\\\/, "/", path); keep = (tolower(path) ~ tolower(re))
                if (keep) sub(/\][^]]*$/, "]") }
        /^#time=/ { next }
        keep && NF' "$WINEPREFIX/system.reg"
}

# installation_state: the Spooler's state, then (the registry flushed) the printers, the spooler's
# keys and the uninstall entry, the files of the driver directory with its subdirectories, of
# C:\TEMP and the OEM INF copies, with sizes and hashes.
installation_state() {
    local c=$WINEPREFIX/drive_c
    echo "[Spooler] $(spooler_state)"
    flush_registry
    echo "[printers]"
    wine_printers
    echo "[keys]"
    reg_sections "$print_keys|CurrentVersion/Uninstall/K7X printer"
    echo "[driver directory]"
    bash "$HARNESS_DIR/listing.sh" "$(_ci_path "$c" windows/system32/spool/drivers/w32x86)"
    echo "[C:\\TEMP]"
    bash "$HARNESS_DIR/listing.sh" "$(_ci_path "$c" TEMP)"
    echo "[OEM INF copies]"
    bash "$HARNESS_DIR/listing.sh" "$(_ci_path "$c" windows/inf)" 1 | grep '^oem'
}
