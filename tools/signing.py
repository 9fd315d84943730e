#!/usr/bin/env python3
"""Signing the firmware images for Secure Boot, with Debian's sbsigntool,
efitools and openssl.

  python3 tools/signing.py sign --key K --cert C --out DIR IMAGE...
  python3 tools/signing.py test-key DIR          # makes DIR/test.key, DIR/test.crt
  python3 tools/signing.py lists --key K --cert C --out DIR   # PK.auth, KEK.auth, db.auth

A test key pair made here is for testing only: its private key lies unprotected
in the build folder.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

# The owner recorded with the certificate in each signature list.
OWNER_GUID = "3f1b6a54-6f0e-4c4e-9f3c-0a7d2c6b9e11"
# Each list signs the next: PK is self-signed, KEK is signed by PK, db by KEK.
# One certificate serves all three on a test machine.
LIST_VARIABLES = ("PK", "KEK", "db")


class SigningError(Exception):
    pass


def _run(command):
    run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    text = run.stdout.decode(errors="replace").strip()
    if run.returncode != 0:
        raise SigningError("%s failed: %s" % (" ".join(command), text))
    return text


def make_key(folder, name, subject):
    """A self-signed RSA-2048 pair folder/name.key and .crt, made once and then kept."""
    key = os.path.join(folder, name + ".key")
    cert = os.path.join(folder, name + ".crt")
    if os.path.isfile(key) and os.path.isfile(cert):
        return key, cert
    os.makedirs(folder, exist_ok=True)
    _run(["openssl", "req", "-new", "-x509", "-newkey", "rsa:2048", "-nodes", "-sha256",
          "-days", "3650", "-subj", "/CN=%s/" % subject, "-keyout", key, "-out", cert])
    return key, cert


def test_key(folder):
    return make_key(folder, "test", "Orvane test signing key (for testing only)")


def sign(source, target, key, cert):
    """Signs source into target. The images are built without a symbol table,
    so sbsign finds nothing past the last section and warns of no gap."""
    if os.path.abspath(source) == os.path.abspath(target):
        raise SigningError("%s: sign into another file" % source)
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    if os.path.exists(target):
        os.remove(target)
    text = _run(["sbsign", "--key", key, "--cert", cert, "--output", target, source])
    if "gaps between PE/COFF sections" in text:
        raise SigningError("%s has data past its last section (was it stripped?): %s" % (source, text))
    return target


def signature_count(path):
    """How many signatures sbverify --list finds on the image."""
    run = subprocess.run(["sbverify", "--list", path], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    text = run.stdout.decode(errors="replace")
    if "No signature table present" in text:
        return 0
    if run.returncode != 0:
        raise SigningError("sbverify --list %s failed: %s" % (path, text.strip()))
    return len(re.findall(r"^signature \d+$", text, re.MULTILINE))


def verify(path, cert):
    run = subprocess.run(["sbverify", "--cert", cert, path], stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT)
    return run.returncode == 0


def auth_lists(key, cert, out):
    """PK.auth, KEK.auth and db.auth holding cert, each signed as the firmware
    wants it for an authenticated write; returns {variable: path}."""
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="orvane-lists-") as work:
        esl = os.path.join(work, "cert.esl")
        _run(["cert-to-efi-sig-list", "-g", OWNER_GUID, cert, esl])
        paths = {}
        for variable in LIST_VARIABLES:
            path = os.path.join(out, variable + ".auth")
            _run(["sign-efi-sig-list", "-g", OWNER_GUID, "-k", key, "-c", cert, variable, esl, path])
            paths[variable] = path
    return paths


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    verbs = parser.add_subparsers(dest="verb", required=True)
    s = verbs.add_parser("sign", help="sign images into a folder and check each")
    s.add_argument("--key", required=True)
    s.add_argument("--cert", required=True)
    s.add_argument("--out", required=True)
    s.add_argument("images", nargs="+")
    t = verbs.add_parser("test-key", help="make a throwaway key pair (kept once made)")
    t.add_argument("folder")
    lists = verbs.add_parser("lists", help="PK, KEK and db signature lists of one certificate")
    lists.add_argument("--key", required=True)
    lists.add_argument("--cert", required=True)
    lists.add_argument("--out", required=True)
    args = parser.parse_args()
    try:
        if args.verb == "test-key":
            key, cert = test_key(args.folder)
            print("test key (for testing only): %s, %s" % (key, cert))
        elif args.verb == "lists":
            for variable, path in auth_lists(args.key, args.cert, args.out).items():
                print("%s: %s" % (variable, path))
        else:
            for image in args.images:
                target = sign(image, os.path.join(args.out, os.path.basename(image)), args.key, args.cert)
                count = signature_count(target)
                if count != 1 or not verify(target, args.cert):
                    raise SigningError("%s: %d signatures, %s" % (
                        target, count, "verified" if verify(target, args.cert) else "not verified"))
                print("signed %s (1 signature, verified)" % target)
    except SigningError as error:
        print("error: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
