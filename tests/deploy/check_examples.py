#!/usr/bin/env python3
"""The deployment examples in deploy/: each parses as its tool reads it, and each names the
installer's switches, the uninstall entry's key name as the product's identity, and the exit codes
as setup gives them (src/shared/ExitCodes.h)."""
import json
import re
import sys
from pathlib import Path

import yaml

root = Path(sys.argv[1])
deploy = root / "deploy"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


exit_codes = {int(v) for v in re.findall(r"= (\d+),", (root / "src/shared/ExitCodes.h").read_text())}
check(exit_codes == {0, 87, 740, 1603, 1618, 1633}, f"the exit code table reads {sorted(exit_codes)}")
product = "K7X printer"

# Ansible: a play whose two tasks install and remove by product id, 0 and 3010 counting as success.
play = yaml.safe_load((deploy / "ansible/k7x-printer.yml").read_text())
check(isinstance(play, list) and len(play) == 1 and "tasks" in play[0], "ansible: one play with tasks")
tasks = play[0]["tasks"]
packages = [t["ansible.windows.win_package"] for t in tasks if "ansible.windows.win_package" in t]
check(len(packages) == 2, "ansible: two win_package tasks")
check({p.get("state") for p in packages} == {"present", "absent"}, "ansible: one present, one absent")
for p in packages:
    check(p.get("product_id") == "{{ k7x_printer_name }} printer", f"ansible: product_id {p.get('product_id')}")
    check(p.get("expected_return_code") == [0, 3010], f"ansible: return codes {p.get('expected_return_code')}")
    check("/quiet" in p.get("arguments", "").split(), "ansible: /quiet")
check(play[0]["vars"]["k7x_printer_name"] + " printer" == product, "ansible: the default printer name")

# winget: three manifests of one package and version; the installer's switches and product code.
manifests = {p.name: yaml.safe_load(p.read_text()) for p in (deploy / "winget").glob("*.yaml")}
check({m["ManifestType"] for m in manifests.values()} == {"version", "installer", "defaultLocale"},
      "winget: version, installer and defaultLocale manifests")
check(len({(m["PackageIdentifier"], str(m["PackageVersion"])) for m in manifests.values()}) == 1,
      "winget: one package identifier and version")
installer = next(m for m in manifests.values() if m["ManifestType"] == "installer")
switches = installer["InstallerSwitches"]
check(switches == {"Silent": "/quiet", "SilentWithProgress": "/passive", "Log": '/log="<LOGPATH>"'},
      f"winget: switches {switches}")
check(installer["ProductCode"] == product and installer["AppsAndFeaturesEntries"][0]["ProductCode"] == product,
      "winget: product code")
codes = {c["InstallerReturnCode"] for c in installer["ExpectedReturnCodes"]}
check(codes == exit_codes - {0}, f"winget: expected return codes {sorted(codes)}")
check(all(re.fullmatch(r"[0-9A-F]{64}", i["InstallerSha256"]) for i in installer["Installers"]), "winget: sha256")

# Intune: the Win32 app's commands, registry detection of the entry, and every exit code mapped.
app = json.loads((deploy / "intune/k7x-printer.win32app.json").read_text())
check(app["installCommandLine"].split()[1:] == ["/quiet"], "intune: install command")
check(app["uninstallCommandLine"].endswith("uninstallK7X.exe /quiet"), "intune: uninstall command")
rule = app["detectionRules"][0]
check(rule["keyPath"].endswith("\\Uninstall\\" + product) and rule["valueName"] == "DisplayVersion",
      "intune: registry detection of the entry's DisplayVersion")
kinds = {c["returnCode"]: c["type"] for c in app["returnCodes"]}
check(exit_codes <= set(kinds) and kinds[0] == "success" and kinds[1618] == "retry" and kinds[3010] == "softReboot",
      f"intune: return codes {kinds}")

# Group policy: a batch file with CR LF line ends that skips machines holding the entry.
script = (deploy / "gpo/install-k7x-printer.cmd").read_bytes()
check(script.count(b"\n") == script.count(b"\r\n"), "gpo: CR LF line ends")
text = script.decode("ascii")
check(f"Uninstall\\{product}" in text and "reg query" in text, "gpo: the entry queried")
check(text.index("reg query") < text.index('"%SETUP%" /quiet'), "gpo: setup runs after the query")

for f in failures:
    print("deploy examples:", f)
sys.exit(1 if failures else 0)
