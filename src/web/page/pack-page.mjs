// SPDX-License-Identifier: GPL-3.0-or-later
// After the page's link: the module the linker embedded as base64 is gzipped and put in the
// place unpack-module.js holds for it, and the linker's copy emptied.
// Usage: node pack-page.mjs PAGE.html
import { readFileSync, renameSync, writeFileSync } from "node:fs";
import { gzipSync, constants } from "node:zlib";

const page = process.argv[2];
let html = readFileSync(page, "utf8");
const embedded = /"data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)"/;
const placeholder = '"@RUNNELEX_PACKED_MODULE@"';
const found = html.match(embedded);
if (!found || html.split(placeholder).length !== 2) {
    console.error(`${page}: no embedded module or no single place for the packed one`);
    process.exit(1);
}
const packed = gzipSync(Buffer.from(found[1], "base64"), { level: constants.Z_BEST_COMPRESSION });
html = html.replace(embedded, '"data:application/octet-stream;base64,"')
    .replace(placeholder, () => `"${packed.toString("base64")}"`);
writeFileSync(page + ".packing", html);
renameSync(page + ".packing", page);
