// SPDX-License-Identifier: GPL-3.0-or-later
// The page in the system's headless Chromium, driven over the DevTools protocol on a pipe (no
// port, no WebSocket library): typing with real key events, links, refused entries, records
// downloaded and read back by the command line, and no network request at all.
// Usage: node page_test.mjs PAGE.html runnelex-cli.js [--figures]
import { spawn, execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, readdirSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [page, cliJs] = process.argv.slice(2);
const figures = process.argv.includes("--figures");
const work = mkdtempSync(join(tmpdir(), "runnelex-page-"));
const pageUrl = pathToFileURL(page).href;
let failures = 0;
const check = (name, ok, detail = "") => {
    if (!ok) failures++;
    console.log(`${ok ? "ok  " : "FAIL"} ${name}${ok || !detail ? "" : "\n     " + detail}`);
};
const cli = (args) => {
    try {
        return { out: execFileSync(process.execPath, [cliJs, ...args], { encoding: "utf8", stdio: ["ignore", "pipe", "pipe"] }), status: 0 };
    } catch (e) {
        return { out: e.stdout, err: e.stderr, status: e.status };
    }
};

// Chromium reads commands on fd 3 and answers on fd 4, each message ended by a NUL.
const browser = spawn("chromium", ["--headless=new", "--remote-debugging-pipe", "--no-sandbox",
    "--disable-gpu", "--no-first-run", "--no-default-browser-check", "--disable-extensions",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    `--user-data-dir=${join(work, "profile")}`, "about:blank"],
    // Its crash database and any other state go to the test's own folder, never the user's.
    { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"],
      env: { ...process.env, HOME: work, XDG_CONFIG_HOME: join(work, "config"),
             XDG_CACHE_HOME: join(work, "cache") } });
const toBrowser = browser.stdio[3], fromBrowser = browser.stdio[4];
let nextId = 1, pending = new Map(), listeners = [], buffered = "";
fromBrowser.on("data", (chunk) => {
    buffered += chunk.toString("utf8");
    let end;
    while ((end = buffered.indexOf("\0")) >= 0) {
        const message = JSON.parse(buffered.slice(0, end));
        buffered = buffered.slice(end + 1);
        if (message.id && pending.has(message.id)) {
            const { resolve, reject } = pending.get(message.id);
            pending.delete(message.id);
            message.error ? reject(new Error(JSON.stringify(message.error))) : resolve(message.result);
        } else {
            listeners.forEach((l) => l(message));
        }
    }
});
const send = (method, params = {}, sessionId) => new Promise((resolve, reject) => {
    const id = nextId++;
    pending.set(id, { resolve, reject });
    toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + "\0");
});
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

const requests = [];
let session;
const page_ = (method, params) => send(method, params, session);
const evaluate = async (expression) => {
    const r = await page_("Runtime.evaluate", { expression, returnByValue: true, awaitPromise: true });
    if (r.exceptionDetails) throw new Error(expression + ": " + JSON.stringify(r.exceptionDetails));
    return r.result.value;
};
const open = async (fragment) => {
    await page_("Page.navigate", { url: "about:blank" });
    await page_("Page.navigate", { url: pageUrl + (fragment === undefined ? "" : "#" + fragment) });
    for (let i = 0; i < 200; i++) {
        if (await evaluate("document.documentElement.dataset.ready === '1'").catch(() => false)) return;
        await sleep(25);
    }
    throw new Error("the page did not start");
};
const labels = () => evaluate(`Object.fromEntries([...document.querySelectorAll('[id^=lblr]')]
    .map(e => [e.id, e.textContent]))`);
const key = async (k) => {
    const special = { Enter: [13, "\r"], Tab: [9, ""], ".": [190, "."], "-": [189, "-"] }[k];
    const [code, text] = special || [k.toUpperCase().charCodeAt(0), k];
    const params = { key: k, windowsVirtualKeyCode: code, nativeVirtualKeyCode: code, text };
    await page_("Input.dispatchKeyEvent", { type: "keyDown", ...params });
    await page_("Input.dispatchKeyEvent", { type: "keyUp", key: k, windowsVirtualKeyCode: code });
};
const type = async (id, text, commit = "Tab") => {
    await evaluate(`document.getElementById(${JSON.stringify(id)}).focus()`);
    await evaluate(`document.getElementById(${JSON.stringify(id)}).select()`);
    for (const c of text) await key(c);
    await key(commit);
};
// The labels runnelex-cli prints for the same request.
const cliLabels = (fragment) => {
    const args = ["calc", "--labels"];
    for (const part of fragment.split("&")) {
        const eq = part.indexOf("=");
        args.push("--" + part.slice(0, eq), decodeURIComponent(part.slice(eq + 1)));
    }
    return Object.fromEntries(cli(args).out.trim().split("\n").map((l) => l.split("\t"))
        .filter(([name]) => name.startsWith("lblr") && !name.endsWith("2")));
};
const differences = (a, b) => Object.keys(b).filter((k) => (a[k] ?? "") !== (b[k] ?? ""))
    .map((k) => `${k}: page "${a[k]}", runnelex-cli "${b[k]}"`).join("; ");

try {
    const bytes = statSync(page).size;
    check("the page is one file of at most 1.5 MB", bytes <= 1.5e6, `${bytes} bytes`);
    const { targetId } = await send("Target.createTarget", { url: "about:blank" });
    ({ sessionId: session } = await send("Target.attachToTarget", { targetId, flatten: true }));
    listeners.push((m) => {
        if (m.method === "Network.requestWillBeSent") requests.push(m.params.request.url);
    });
    await page_("Network.enable");
    await page_("Page.enable");
    await page_("Runtime.enable");

    // The worked example typed into the boxes with key events: Tab commits as in the window.
    await open();
    await type("txtDiam", "12");
    await type("txtSlope", "0.01");
    await type("txtQinput", "2", "Enter");
    const typed = await labels();
    const want = { lblrDnorm: "0.5359", lblrVnorm: "4.6671", lblrFrNo: "1.2548", lblrDcr: "0.6034" };
    check("worked example typed", Object.keys(want).every((k) => typed[k] === want[k]),
        differences(typed, want));
    const address = await evaluate("location.hash");
    check("the address follows the boxes", address === "#diam=12&slope=0.01&flow=2", address);

    // The calculation sheet, asked for from the keyboard, opens in a window of its own.
    await evaluate("document.getElementById('txtSheetProject').value = 'Main <St> & 1st'; document.getElementById('cmdSheet').focus()");
    await key("Enter");
    let sheetTarget, sheetText = "";
    for (let i = 0; i < 100 && !sheetTarget; i++) {
        sheetTarget = (await send("Target.getTargets")).targetInfos
            .find((t) => t.type === "page" && t.url.startsWith("blob:"));
        if (!sheetTarget) await sleep(50);
    }
    if (sheetTarget) {
        const { sessionId } = await send("Target.attachToTarget", { targetId: sheetTarget.targetId, flatten: true });
        for (let i = 0; i < 100 && !sheetText; i++) {
            const r = await send("Runtime.evaluate", { returnByValue: true,
                expression: "document.readyState === 'complete' ? document.body.innerText : ''" }, sessionId).catch(() => null);
            sheetText = r?.result?.value || "";
            if (!sheetText) await sleep(50);
        }
        await send("Target.closeTarget", { targetId: sheetTarget.targetId });
    }
    check("the calculation sheet opens in a new window", sheetText.includes("0.5359") &&
        sheetText.includes("Main <St> & 1st"), sheetTarget ? sheetText.slice(0, 300) : "no window opened");

    // Links: each opens its calculation at once, the labels the command line's own.
    const links = [
        ["circle in inches", "diam=12&diam-unit=in.&slope=0.01&flow=2"],
        ["circle in feet, slope in percent, MGD", "diam=2&diam-unit=ft.&slope=0.5&slope-unit=%25&flow=3&flow-unit=MGD"],
        ["surcharged circle", "diam=12&slope=0.01&flow=4"],
        ["box", "shape=box&span=6&rise=4&diam-unit=ft.&slope=0.001&flow=100"],
        ["egg", "shape=egg&rise=36&slope=0.005&flow=20"],
        ["SI circle", "units=si&diam=300&slope=1&slope-unit=%25&flow=50&flow-unit=L%2Fs"],
        ["n of a rough pipe", "diam=18&slope=0.002&n=0.024&flow=3"],
    ];
    for (const [name, fragment] of links) {
        await open(fragment);
        const shown = await labels(), expected = cliLabels(fragment);
        check(`link: ${name}`, Object.keys(expected).length > 10 && !differences(shown, expected),
            differences(shown, expected));
    }

    // Bad entries and bad links are answered beside the box, never by a blank page.
    const refusals = [
        ["typed zero diameter", null, "txtDiam", "0", "msgDiam", "Diameter must be a positive real number."],
        ["link with a negative slope", "diam=12&slope=-1&flow=2", null, null, "msgSlope", null],
        ["link with an unknown input", "diam=12&slpoe=0.01", null, null, "msgFragment", null],
        ["link with an unknown unit", "diam=12&diam-unit=yd&slope=0.01&flow=2", null, null, "msgUnDiam", null],
    ];
    for (const [name, fragment, box, text, messageId, message] of refusals) {
        await open(fragment === null ? "diam=12&slope=0.01&flow=2" : fragment);
        if (box) await type(box, text);
        const said = await evaluate(`document.getElementById(${JSON.stringify(messageId)}).textContent`);
        const boxText = box ? await evaluate(`document.getElementById(${JSON.stringify(box)}).value`) : "";
        const visible = await evaluate("document.getElementById('fraInput').offsetHeight > 0");
        check(`refused: ${name}`, said !== "" && (message === null || said === message) && boxText === "" && visible,
            `message "${said}", box "${boxText}"`);
    }

    // Records: two calculations recorded, downloaded in both forms, read back by batch.
    await send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work, eventsEnabled: true });
    await open("diam=12&slope=0.01&flow=2&pipe=P%201");
    await evaluate("document.getElementById('cmdRecord').click()");
    await open("shape=box&span=6&rise=4&diam-unit=ft.&slope=0.001&flow=100");
    check("records are the page's own (none kept)", (await evaluate("rx.records().length")) === 0);
    for (const fragment of ["diam=12&slope=0.01&flow=2&pipe=P%201", "diam=15&slope=0.004&flow=3"])
        await evaluate(`rx.open(${JSON.stringify(fragment)}); document.getElementById('cmdRecord').click()`);
    for (const [button, file] of [["cmdDownloadTsv", "runnelex-records.tsv"], ["cmdDownloadCsv", "runnelex-records.csv"]]) {
        await evaluate(`document.getElementById('${button}').click()`);
        for (let i = 0; i < 100 && !readdirSync(work).includes(file); i++) await sleep(50);
        const path = join(work, file);
        const saved = readdirSync(work).includes(file) ? readFileSync(path, "utf8") : "";
        const back = cli(["batch", path]);
        const expected = cli(["calc", "--pipe", "P 1", "--diam", "12", "--slope", "0.01", "--flow", "2"]).out.split("\n")[1];
        check(`records downloaded as ${file} read back by batch`,
            saved !== "" && back.status === 0 && back.out.replace(/,/g, "\t").includes(expected) && back.out.trim().split("\n").length >= 3,
            `status ${back.status}: ${back.err || back.out}`);
    }
    check("nothing stored in the browser", await evaluate("document.cookie === '' && localStorage.length === 0 && sessionStorage.length === 0"));

    // A range report in the page is the command line's report.
    await open("diam=12&slope=0.01");
    await evaluate("document.getElementById('cmbVary1').value = 'flow'; document.getElementById('txtVary1').value = '0.5:2:0.5'; document.getElementById('cmdRun').click()");
    for (let i = 0; i < 100 && !/rows/.test(await evaluate("document.getElementById('reportProgress').textContent")); i++)
        await sleep(50);
    const rows = await evaluate("[...document.querySelectorAll('#tblReport tbody tr')].map(r => [...r.cells].map(c => c.textContent).join('\\t'))");
    const report = cli(["report", "--diam", "12", "--slope", "0.01", "--vary", "flow=0.5:2:0.5"]).out.trim().split("\n").slice(1);
    check("range report", rows.length === 4 && rows.join("\n") === report.join("\n"), rows.join(" | "));

    // A long report leaves the page live: the page's own timers keep their pace while the
    // rows are computed, and the rows arrive.
    const worstGap = await evaluate(`new Promise((done) => {
        document.getElementById('txtVary1').value = '0.0001:3.8:0.0001';
        document.getElementById('cmdRun').click();
        let last = performance.now(), worst = 0, ticks = 0;
        const tick = () => {
            const now = performance.now();
            worst = Math.max(worst, now - last);
            last = now;
            if (++ticks < 40) setTimeout(tick, 10); else done(Math.round(worst));
        };
        setTimeout(tick, 10);
    })`);
    let progress = "";
    for (let i = 0; i < 600 && !/rows/.test(progress); i++) {
        progress = await evaluate("document.getElementById('reportProgress').textContent");
        await sleep(50);
    }
    check("the page stays live during a long report", worstGap < 300 && progress === "38000 rows, the first 1000 shown",
        `the page's timers waited up to ${worstGap} ms; "${progress}"`);

    const network = requests.filter((u) => !u.startsWith("file:") && !u.startsWith("data:") &&
        !u.startsWith("blob:") && u !== "about:blank");
    check("no network request", network.length === 0, network.join(", "));

    // A browser that cannot inflate the module is told so on the page, not left with a dead form.
    const { identifier } = await page_("Page.addScriptToEvaluateOnNewDocument",
        { source: "delete window.DecompressionStream;" });
    await page_("Page.navigate", { url: pageUrl });
    let said = "";
    for (let i = 0; i < 100 && !said; i++) {
        said = await evaluate("document.getElementById('status')?.textContent || ''").catch(() => "");
        if (!said) await sleep(25);
    }
    await page_("Page.removeScriptToEvaluateOnNewDocument", { identifier });
    check("a browser that cannot inflate the module is told so",
        said.startsWith("This browser cannot start the calculator: "), `"${said}"`);

    if (figures) {
        // Timed as a user opens the page: no debugger watching its requests.
        await page_("Network.disable");
        const starts = [];
        for (let i = 0; i < 5; i++) {
            await open("diam=12&slope=0.01&flow=2");
            starts.push(await evaluate("[rx.scriptAt, rx.runtimeAt, rx.readyAt].map(t => t.toFixed(0)).join('/')"));
        }
        // The same report as runnelex-cli's, row by row; the first run warms the compiled code.
        const perCalc = await evaluate(`[0, 1].map(() => { const t0 = performance.now();
            const r = rx.cli(["report", "--diam", "12", "--slope", "0.01", "--vary", "flow=0.0001:3.8:0.0001"]);
            return ((performance.now() - t0) * 1000 / (r.out.split("\\n").length - 2)).toFixed(1); }).join(", then ")`);
        console.log(`figure: the page is ${statSync(page).size} bytes`);
        console.log(`figure: link opened to results shown: ${starts.join(", ")} ms (script/module/results)`);
        console.log(`figure: one calculation in the page (a 38000-row report): ${perCalc} us`);
    }
} catch (e) {
    check("the page test ran to its end", false, e.stack);
} finally {
    const ended = new Promise((r) => browser.on("exit", r));
    browser.kill();
    await ended;
    rmSync(work, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : "all passed");
process.exit(failures ? 1 : 0);
