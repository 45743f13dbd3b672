#!/usr/bin/env bash
# The product is self-contained, small and DPI aware:
#   scr_contents_test.sh OBJDUMP orvessan.scr
# it imports only DLLs that come with Windows, fits in 64 KiB, and carries an application
# manifest that declares DPI awareness.
set -u
objdump=$1
scr=$2
status=0
allowed=" KERNEL32.dll USER32.dll GDI32.dll ADVAPI32.dll ole32.dll msvcrt.dll "
while read -r dll; do
  if [[ $allowed != *" $dll "* ]]; then
    echo "FAIL: imports $dll"
    status=1
  fi
done < <("$objdump" -p "$scr" | sed -n 's/^\s*DLL Name: //p')
"$objdump" -p "$scr" | grep -q 'DLL Name: USER32.dll' || { echo "FAIL: no import table"; status=1; }
if ! grep -aq '<dpiAware[^>]*>true</dpiAware>' "$scr"; then
  echo "FAIL: no manifest declaring DPI awareness"
  status=1
fi
size=$(stat -c %s "$scr")
echo "$(basename "$scr"): $size bytes"
if ((size > 65536)); then
  echo "FAIL: more than 64 KiB"
  status=1
fi
exit $status
