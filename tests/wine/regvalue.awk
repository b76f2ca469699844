# Prints "TYPE SIZE BYTES" of value REG_NAME under key REG_KEY (environment,
# e.g. Software\Microsoft\Windows\CurrentVersion\Uninstall\K7X) of a Wine
# registry file (system.reg / user.reg). Key match ignores case.
# Forms: "str" (REG_SZ, NUL added), str(2):"..." (REG_EXPAND_SZ),
# dword:XXXXXXXX, hex:.. (REG_BINARY), hex(N):.. (type N); "\" continues a line.

function hexbyte(v) { return sprintf("%02x", v) }

function hexnum(h,    i, v) {
    v = 0; h = tolower(h)
    for (i = 1; i <= length(h); i++) v = v * 16 + index("0123456789abcdef", substr(h, i, 1)) - 1
    return v
}

# UTF-16LE bytes of a quoted registry string body, with its terminator.
function str_bytes(body,    out, i, c, n, code, hexd) {
    out = ""; n = 0
    for (i = 1; i <= length(body); i++) {
        c = substr(body, i, 1)
        if (c == "\\") {
            c = substr(body, ++i, 1)
            if (c == "x") {
                hexd = ""
                while (length(hexd) < 4 && substr(body, i + 1, 1) ~ /[0-9a-fA-F]/)
                    hexd = hexd substr(body, ++i, 1)
                code = hexnum(hexd)
            } else if (c == "n") code = 10
            else if (c == "r") code = 13
            else if (c == "t") code = 9
            else if (c == "0") code = 0
            else code = ord[c]
        } else code = ord[c]
        out = out " " hexbyte(code % 256) " " hexbyte(int(code / 256)); n += 2
    }
    count = n + 2
    return out " 00 00"
}

# The key as the file writes it: backslashes doubled, in brackets, a character
# beyond ASCII (UTF-8 in k) as \x and its hex code, four digits when a hex digit follows.
function section(k,    i, c, b, n, code, out) {
    out = "["
    for (i = 1; i <= length(k); i++) {
        c = substr(k, i, 1); b = byte[c]
        if (b < 128) { out = out c; if (c == "\\") out = out c; continue }
        n = b >= 240 ? 3 : b >= 224 ? 2 : 1
        code = b % (b >= 240 ? 8 : b >= 224 ? 16 : 32)
        while (n-- > 0) code = code * 64 + byte[substr(k, ++i, 1)] % 64
        out = out sprintf(substr(k, i + 1, 1) ~ /^[0-9a-fA-F]$/ ? "\\x%04x" : "\\x%x", code)
    }
    return out "]"
}

BEGIN {
    for (i = 32; i < 127; i++) ord[sprintf("%c", i)] = i
    for (i = 1; i < 256; i++) byte[sprintf("%c", i)] = i
    want = tolower(section(ENVIRON["REG_KEY"])); name = ENVIRON["REG_NAME"]
    prefix = "\"" name "\"="
    if (name == "") prefix = "@="
}
/^\[/ { insec = (tolower(substr($0, 1, length(want))) == want && substr($0, length(want) + 1, 1) == " "); next }
!insec { next }
tolower(substr($0, 1, length(prefix))) == tolower(prefix) {
    v = substr($0, length(prefix) + 1)
    while (v ~ /\\$/ && (getline nxt) > 0) { sub(/\\$/, "", v); sub(/^ +/, "", nxt); v = v nxt }
    if (v ~ /^"/) { sub(/^"/, "", v); sub(/"$/, "", v); b = str_bytes(v); print 1, count b; exit }
    if (v ~ /^str\(2\):"/) { sub(/^str\(2\):"/, "", v); sub(/"$/, "", v); b = str_bytes(v); print 2, count b; exit }
    if (v ~ /^dword:/) {
        d = hexnum(substr(v, 7)); b = ""
        for (i = 0; i < 4; i++) { b = b " " hexbyte(d % 256); d = int(d / 256) }
        print 4, 4 b; exit
    }
    type = 3
    if (match(v, /^hex\([0-9a-fA-F]+\):/)) { type = hexnum(substr(v, 5, RLENGTH - 6)); v = substr(v, RLENGTH + 1) }
    else if (v ~ /^hex:/) v = substr(v, 5)
    n = split(v, parts, ","); b = ""; cnt = 0
    for (i = 1; i <= n; i++) if (parts[i] != "") { b = b " " parts[i]; cnt++ }
    print type, cnt b; exit
}
