#!/bin/sh
# A layer reaches another folder only as "folder/name.h" through its include path, which holds the
# layers below it; "../" would step around that. Lists every such include and fails when there is one.
# usage: relative_includes.sh SOURCE_DIR
found=$(grep -rn --include='*.cpp' --include='*.h' '#include *"\.\./' "$1/src" "$1/winemu" "$1/printui")
[ -z "$found" ] && exit 0
echo "$found"
echo "includes that climb out of their folder (write \"folder/name.h\" instead)"
exit 1
