#!/usr/bin/env python3
"""Writes the installer's COM registration, a WiX fragment, from the sources
that DllRegisterServer registers from: the registration script (the same
grammar as src/entry/RegistryScript.cpp reads) and the IDL of the type
library that the registrar hands to RegisterTypeLib.

Usage: msi-registry.py RGS IDL ARCH OUT
  ARCH  x86 or x64. The keys go into a component group COMRegistration with
        the DLL's file id `ravelin.dll` standing for %MODULE% and the folder
        property INSTALLDIR as the type library's help folder.
"""
import re
import sys
import uuid
from xml.sax.saxutils import quoteattr

DLL_FILE_ID = "ravelin.dll"
DLL_FOLDER = "INSTALLDIR"
# The proxy of oleautomation and dual interfaces, as RegisterTypeLib writes it.
PS_OA_INTERFACE = "{00020424-0000-0000-C000-000000000046}"
LIBFLAGS = {"restricted": 1, "control": 2, "hidden": 4}
LIBFLAG_HASDISKIMAGE = 8  # a type library loaded from a file has it
ROOTS = {"HKCR": "HKCR", "HKEY_CLASSES_ROOT": "HKCR", "HKCU": "HKCU",
         "HKEY_CURRENT_USER": "HKCU", "HKLM": "HKLM", "HKEY_LOCAL_MACHINE": "HKLM",
         "HKU": "HKU", "HKEY_USERS": "HKU"}
# Component GUIDs are derived, so that each stays the same from build to build.
COMPONENT_NAMESPACE = uuid.UUID("2e86e04a-3ee7-49bb-8fbb-dd18254f6606")


class ScriptError(Exception):
    pass


def formatted(text):
    """Literal text in a Windows Installer formatted field."""
    text = re.sub(r"[\[\]]", lambda m: "[\\" + m.group(0) + "]", text)
    return text


def value_field(text):
    # A leading '#' would make the value a number; '##' is a literal '#'.
    return "#" + text if text.startswith("#") else text


class Tokens:
    def __init__(self, text):
        self.text = text
        self.pos = 0
        self.line = 1
        self.pushed = None

    def fail(self, reason):
        raise ScriptError(f"line {self.line}: {reason}")

    def next(self):
        """(text, quoted) of the next token, text already in formatted form
        with %MODULE% replaced; None at the end."""
        if self.pushed:
            token, self.pushed = self.pushed, None
            return token
        text = self.text
        while self.pos < len(text) and text[self.pos].isspace():
            if text[self.pos] == "\n":
                self.line += 1
            self.pos += 1
        if self.pos >= len(text):
            return None
        raw = ""
        quoted = text[self.pos] == "'"
        if quoted:
            self.pos += 1
            while True:
                if self.pos >= len(text):
                    self.fail("unterminated quoted text")
                c = text[self.pos]
                self.pos += 1
                if c == "\n":
                    self.line += 1
                if c == "'":
                    if text.startswith("'", self.pos):
                        self.pos += 1
                    else:
                        break
                raw += c
        else:
            while self.pos < len(text) and not text[self.pos].isspace():
                raw += text[self.pos]
                self.pos += 1
        return self.replace(raw), quoted

    def replace(self, raw):
        out, rest = "", raw
        while "%" in rest:
            before, _, after = rest.partition("%")
            name, found, rest = after.partition("%")
            if not found:
                self.fail(f"unmatched '%' in '{raw}'")
            out += formatted(before)
            if not name:
                out += "%"
            elif name.upper() == "MODULE":
                out += f"[#{DLL_FILE_ID}]"
            else:
                self.fail(f"no replacement for '%{name}%'")
        out += formatted(rest)
        if "$(" in out:
            # wixl's preprocessor reads it as a variable, and has no escape.
            self.fail(f"'$(' in '{raw}' cannot reach the package")
        return out


def is_word(token, word):
    return token is not None and not token[1] and token[0].lower() == word.lower()


def parse_keys(tokens, path, entries):
    """The keys and values inside one pair of braces, as (path, name, value)
    entries; name '-' with no value deletes the tree when uninstalling."""
    while True:
        token = tokens.next()
        if token is None:
            tokens.fail(f"missing '}}' after '{path}'")
        if is_word(token, "}"):
            return
        if is_word(token, "val"):
            name = tokens.next()
            if name is None:
                tokens.fail("missing value name after 'val'")
            if not is_word(tokens.next(), "="):
                tokens.fail("expected '=' after value name")
            entries.append((path, name[0], assignment(tokens)))
            continue
        removal = None
        if is_word(token, "NoRemove") or is_word(token, "ForceRemove"):
            removal = token[0].lower()
            token = tokens.next()
            if token is None:
                tokens.fail(f"missing key name after '{removal}'")
        if token[0] in ("{", "}", "=") and not token[1]:
            tokens.fail(f"expected a key name, found '{token[0]}'")
        if not token[0] or "\\" in token[0]:
            tokens.fail(f"bad key name '{token[0]}'")
        key = f"{path}\\{token[0]}" if path else token[0]
        if removal == "forceremove":
            entries.append((key, "-", None))
        token = tokens.next()
        if is_word(token, "="):
            entries.append((key, "", assignment(tokens)))
            token = tokens.next()
        if is_word(token, "{"):
            parse_keys(tokens, key, entries)
        elif token is not None:
            tokens.pushed = token


def assignment(tokens):
    if not is_word(tokens.next(), "s"):
        tokens.fail("only string values ('s') are supported")
    token = tokens.next()
    if token is None or not token[1]:
        tokens.fail("expected a quoted value")
    if not token[0]:
        # An empty Value field would only create the key.
        tokens.fail("an empty value cannot be written by an installer")
    return value_field(token[0])


def script_entries(text):
    tokens = Tokens(text)
    roots = []
    while (token := tokens.next()) is not None:
        root = None if token[1] else ROOTS.get(token[0].upper())
        if root is None:
            tokens.fail(f"expected a root key the installer can write, found '{token[0]}'")
        if not is_word(tokens.next(), "{"):
            tokens.fail(f"expected '{{' after {token[0]}")
        entries = []
        parse_keys(tokens, "", entries)
        roots.append((root, entries))
    return roots


def attributes_before(idl, start):
    """The [...] attribute list that ends right before `start`."""
    end = len(idl[:start].rstrip())
    if end == 0 or idl[end - 1] != "]":
        return ""
    depth = 0
    for i in range(end - 1, -1, -1):
        if idl[i] == "]":
            depth += 1
        elif idl[i] == "[":
            depth -= 1
            if depth == 0:
                return idl[i + 1:end - 1]
    return ""


def attribute(attrs, name):
    match = re.search(rf"\b{name}\s*\(\s*([^)]*?)\s*\)", attrs)
    return match.group(1) if match else None


def without_comments(idl):
    idl = re.sub(r"/\*.*?\*/", " ", idl, flags=re.S)
    return re.sub(r"//[^\n]*", " ", idl)


def typelib_entries(idl, arch):
    """What RegisterTypeLib writes for the IDL's one library."""
    idl = without_comments(idl)
    libraries = list(re.finditer(r"\blibrary\s+(\w+)\s*\{", idl))
    if len(libraries) != 1:
        raise ScriptError(f"the IDL holds {len(libraries)} libraries, not one")
    lib = libraries[0]
    attrs = attributes_before(idl, lib.start())
    libid = attribute(attrs, "uuid")
    if not libid:
        raise ScriptError("the library has no uuid")
    libid = "{" + libid.upper() + "}"
    major, _, minor = (attribute(attrs, "version") or "0.0").partition(".")
    version = f"{int(major):x}.{int(minor or 0):x}"
    lcid = f"{int(attribute(attrs, 'lcid') or '0', 0):x}"
    helpstring = attribute(attrs, "helpstring")
    flags = LIBFLAG_HASDISKIMAGE
    for word, bit in LIBFLAGS.items():
        if re.search(rf"\b{word}\b", attrs):
            flags |= bit
    syskind = {"x86": "win32", "x64": "win64"}[arch]
    base = f"TypeLib\\{libid}\\{version}"
    entries = []
    if helpstring:
        entries.append((base, "", value_field(formatted(helpstring.strip('"')))))
    entries += [
        (f"{base}\\{lcid}\\{syskind}", "", f"[#{DLL_FILE_ID}]"),
        (f"{base}\\FLAGS", "", str(flags)),
        (f"{base}\\HELPDIR", "", f"[{DLL_FOLDER}]"),
    ]

    # The library's types: those defined inside it and those it names.
    body_start = lib.end()
    depth, i = 1, body_start
    while depth and i < len(idl):
        depth += {"{": 1, "}": -1}.get(idl[i], 0)
        i += 1
    body = idl[body_start:i]
    if re.search(r"\bdispinterface\b", idl):
        raise ScriptError("dispinterfaces are not supported: add what RegisterTypeLib "
                          "writes for them here and to the installer test")
    interfaces = []
    for match in re.finditer(r"\binterface\s+(\w+)\s*:\s*\w+\s*\{", idl):
        name = match.group(1)
        inside = body_start <= match.start() < i
        if not inside and not re.search(rf"\binterface\s+{name}\s*;", body):
            continue
        attrs = attributes_before(idl, match.start())
        if not re.search(r"\b(dual|oleautomation)\b", attrs):
            continue  # RegisterTypeLib leaves others to their own proxies
        iid = "{" + attribute(attrs, "uuid").upper() + "}"
        interfaces.append((f"Interface\\{iid}", [
            ("", name),
            ("ProxyStubClsid", PS_OA_INTERFACE),
            ("ProxyStubClsid32", PS_OA_INTERFACE),
        ], (libid, version)))
    interface_entries = []
    for key, defaults, (tlb, ver) in interfaces:
        for sub, value in defaults:
            interface_entries.append((f"{key}\\{sub}" if sub else key, "", value))
        interface_entries.append((f"{key}\\TypeLib", "", tlb))
        interface_entries.append((f"{key}\\TypeLib", "Version", ver))
    return entries, interface_entries


def registry_values(root, entries, indent):
    lines = []
    for key, name, value in entries:
        attrs = f'Root="{root}" Key={quoteattr(key)}'
        if name:
            attrs += f" Name={quoteattr(name)}"
        # An empty Value is a null field, which with the name '-' deletes the
        # key's tree when uninstalling.
        attrs += f' Type="string" Value={quoteattr(value or "")}'
        lines.append(f"{indent}<RegistryValue {attrs}/>")
    return lines


def component(name, arch, win64, body):
    guid = uuid.uuid5(COMPONENT_NAMESPACE, f"{arch} {name}")
    bitness = ' Win64="yes"' if win64 else ""
    return ([f'      <Component Id="{name}" Guid="{str(guid).upper()}"{bitness}>'] + body +
            ["      </Component>"])


def main(argv):
    if len(argv) != 5 or argv[3] not in ("x86", "x64"):
        sys.exit(__doc__.strip())
    rgs, idl, arch, out = argv[1:]
    try:
        with open(rgs, encoding="utf-8-sig") as f:
            roots = script_entries(f.read())
        with open(idl, encoding="utf-8") as f:
            typelib, interfaces = typelib_entries(f.read(), arch)
    except ScriptError as error:
        sys.exit(f"msi-registry: {error}")
    body = []
    for root, entries in roots:
        body += registry_values(root, entries, "        ")
    body += registry_values("HKCR", typelib + interfaces, "        ")
    lines = [
        '<?xml version="1.0" encoding="utf-8"?>',
        f"<!-- Made by tools/msi-registry.py from {rgs.rsplit('/', 1)[-1]} and "
        f"{idl.rsplit('/', 1)[-1]}: edit those. -->",
        '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">',
        "  <Fragment>",
        f'    <ComponentGroup Id="COMRegistration" Directory="{DLL_FOLDER}">',
    ]
    lines += component("COMRegistration", arch, arch == "x64", body)
    if arch == "x64":
        # RegisterTypeLib in a 64-bit process also registers the interfaces
        # for 32-bit callers, whose view of HKCR\Interface is their own.
        lines += component("COMInterfaces32", arch, False,
                           registry_values("HKCR", interfaces, "        "))
    lines += ["    </ComponentGroup>", "  </Fragment>", "</Wix>", ""]
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv)
