#!/usr/bin/env bash
# Downloads a Debian source package with `apt-get source --download-only`
# through a private deb-src list derived from this machine's own apt
# configuration, so the machine's sources stay untouched.
#   debian-source.sh PACKAGE DEST_DIR
set -euo pipefail

package=$1
dest=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/lists/partial" "$work/archives/partial" "$dest"

# Every binary repository the machine uses for Debian, turned into deb-src lines.
{
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        awk '$1 == "deb" { $1 = "deb-src"; print }' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk '
            function flush() {
                if (types ~ /deb/ && uris != "" && suites != "")
                    print "Types: deb-src\nURIs: " uris "\nSuites: " suites "\nComponents: " comps (key != "" ? "\nSigned-By: " key : "") "\n"
                types = uris = suites = comps = key = ""
            }
            /^[[:space:]]*$/ { flush(); next }
            /^#/ { next }
            /^Types:/      { sub(/^Types:[[:space:]]*/, "");      types = $0 }
            /^URIs:/       { sub(/^URIs:[[:space:]]*/, "");       uris = $0 }
            /^Suites:/     { sub(/^Suites:[[:space:]]*/, "");     suites = $0 }
            /^Components:/ { sub(/^Components:[[:space:]]*/, ""); comps = $0 }
            /^Signed-By:/  { sub(/^Signed-By:[[:space:]]*/, "");  key = $0 }
            END { flush() }
        ' "$f" > "$work/$(basename "$f")"
    done
} > "$work/sources.list"

mkdir -p "$work/sources.list.d"
for f in "$work"/*.sources; do
    [ -f "$f" ] && mv "$f" "$work/sources.list.d/"
done

opts=(-o "Dir::Etc::SourceList=$work/sources.list"
      -o "Dir::Etc::SourceParts=$work/sources.list.d"
      -o "Dir::State::Lists=$work/lists"
      -o "Dir::Cache::Archives=$work/archives"
      -o "APT::Sandbox::User=root")

apt-get "${opts[@]}" update -qq
cd "$dest"
apt-get "${opts[@]}" source --download-only -qq "$package"
