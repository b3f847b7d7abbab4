// The browser edition's page in Chromium, driven as a user drives it: it
// types, clicks, picks, switches modes and opens files, then reads what
// the page shows and holds it against qntcalc-cli --json for the same
// inputs. Prints the start-up time; fails on the first mismatch.
//
//   node PageTest.mjs <QntCalc.html> <host qntcalc-cli> <examples folder> <page folder>
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [html, cli, examples, pageFolder, only] = process.argv.slice(2);
// An optional fifth argument runs only the scenarios and flows it matches.
const chosenOnly = (name) => !only || new RegExp(only).test(name);
const { chromium } = createRequire(path.resolve(pageFolder, 'package.json'))('playwright-core');

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'qntcalc-page-'));
const example = fs.readFileSync(path.join(examples, 'assembly-hall.ini'), 'utf8');
const withMode = (mode) => ['Expert', 'Standard', 'BaudRateMode'].reduce(
    (section, key) => `${section}${key}=${+(key === mode)}\n`, '[Mode]\n');
const routers = '[Settings]\nProject=Press line\nMainpath=600\nCBRouters=1\nCBRepeaters=0\n' +
                'CBDropLines=0\nNumRouters=3\nRouterType=Brenner Elektronik - Lindat\nLongSeg=200\n' +
                'MDSeg=100\nNumIOD=10\nNumVesk=1\nNumInp=64\nNumOut=50\nCVesk=7\n';
const repeaters = '[Settings]\nMainpath=400\nCBRepeaters=1\nNumRepeater=2\n' +
                  'RepeaterType=Mirato - Raylink\nNumIOD=12\nNumInp=128\nNumOut=96\n';
const unsettled = '[Settings]\nMainpath=300\nNumInp=80\nNumOut=40\nNumInpCycl=16\nInpCycl=20\n' +
                  'NumOutCycl=2\nOutCycl=50\n';

// Controls of the project file's keys that are not an edit field "Ed_" + key.
const controlOf = {
    Project: 'Ed_Project', CBRouters: 'CB_Routers', CBRepeaters: 'CB_Repeaters',
    CBDropLines: 'CB_DropLines', CVeskManual: 'CB_CVeskManual', RB_Main: 'RB_Main',
    RB_Baud: 'RB_Baud', Vesk1: 'RB_Vesk1', Vesk3: 'RB_Vesk3', RouterType: 'CB_RouterType',
    RepeaterType: 'CB_RepeaterType',
};
const modeItem = { standard: 'Standard', expert: 'Expert', baud: 'Baudratemode' };

// name, project (none: the program as it starts), mode, then keys set in
// order as --set does, by typing, ticking, selecting and picking.
const scenarios = [
    ['new_project', null, null, []],
    ['new_expert', null, 'expert', []],
    ['new_baud', null, 'baud', []],
    ['new_standard_mainpath', null, 'standard', [['Mainpath', '750']]],
    ['new_expert_mainpath_long', null, 'expert', [['Mainpath', '1900']]],
    ['new_expert_devices', null, 'expert', [['NumIOD', '40'], ['NumVesk', '3']]],
    ['new_expert_inputs', null, 'expert', [['NumInp', '900'], ['NumInpCycl', '30'], ['InpCycl', '40']]],
    ['new_expert_outputs', null, 'expert', [['NumOut', '700'], ['NumOutCycl', '4'], ['OutCycl', '60']]],
    ['new_expert_load', null, 'expert', [['LoadFact', '20']]],
    ['new_project_name', null, null, [['Project', 'Paint shop 3']]],
    ['example', 'example', null, []],
    ['example_expert', 'example', 'expert', []],
    ['example_baud', 'example', 'baud', []],
    ['example_more_inputs', 'example', null, [['NumInp', '2000']]],
    ['example_no_inputs', 'example', 'expert', [['NumInp', '0'], ['NumOut', '0']]],
    ['example_longer', 'example', null, [['Mainpath', '1200']]],
    ['example_cpu1', 'example', 'expert', [['Vesk1', '1']]],
    ['example_manual_cycle', 'example', 'expert', [['CVeskManual', '1'], ['CVesk', '40']]],
    ['example_routers_box', 'example', 'expert', [['CBRouters', '1']]],
    ['example_repeaters_box', 'example', 'expert', [['CBRepeaters', '1']]],
    ['example_drop_lines', 'example', 'expert', [['CBDropLines', '1'], ['DropMax', '15'], ['DropTot', '120']]],
    ['example_rate_given', 'example', 'expert', [['RB_Baud', '1'], ['MainBaud', '125']]],
    ['example_rate_given_back', 'example', 'expert', [['RB_Baud', '1'], ['RB_Main', '1']]],
    ['routers_file', routers, null, []],
    ['routers_standard', routers + withMode('Standard'), null, []],
    ['routers_expert', routers + withMode('Expert'), null, []],
    ['routers_baud', routers + withMode('BaudRateMode'), null, []],
    ['routers_type_harlen', routers + withMode('Expert'), null, [['RouterType', 'Harlen - Vesk QN Router']]],
    ['routers_type_lumo', routers + withMode('Expert'), null, [['RouterType', 'Otvar - Fiber Optic Lumo-B']]],
    ['routers_type_manual', routers + withMode('Expert'), null,
     [['RouterType', 'Other - Manual time entry'], ['RouterCorr', '33']]],
    ['routers_unselected', routers + withMode('Expert'), null, [['RouterType', 'Please select router type!']]],
    ['routers_more', routers + withMode('Expert'), null, [['NumRouters', '6'], ['LongSeg', '900']]],
    ['routers_md_segment', routers + withMode('Expert'), null, [['MDSeg', '450']]],
    ['routers_off', routers + withMode('Expert'), null, [['CBRouters', '0']]],
    ['repeaters_file', repeaters + withMode('Expert'), null, []],
    ['repeaters_kappa', repeaters + withMode('Expert'), null, [['RepeaterType', 'Harlen - Vesk QN Kappa-7']]],
    ['repeaters_manual', repeaters + withMode('Expert'), null,
     [['RepeaterType', 'Other - Manual length entry'], ['LRepeater', '250']]],
    ['repeaters_standard', repeaters + withMode('Standard'), null, []],
    ['repeaters_more', repeaters + withMode('Expert'), null, [['NumRepeater', '5']]],
    ['no_mode', '[Settings]\nMainpath=900\n' + withMode(''), null, []],
    ['no_mode_to_expert', '[Settings]\nMainpath=900\n' + withMode(''), 'expert', []],
    ['baud_file', '[Settings]\nMainpath=600\nNumIOD=10\n' + withMode('BaudRateMode'), null, []],
    ['baud_file_to_standard', '[Settings]\nMainpath=600\nNumIOD=10\n' + withMode('BaudRateMode'), 'standard', []],
    ['value_errors', '[Settings]\nMainpath=0\nNumIOD=0\n' + withMode('Expert'), null, []],
    ['value_error_negative', '[Settings]\nNumInp=-5\nNumOut=12\n' + withMode('Expert'), null, []],
    ['error_status', example.replace('NumInp=420', 'NumInp=0').replace('NumOut=260', 'NumOut=0'), null, []],
    ['error_status_huge', example, 'expert', [['NumInp', '60000'], ['NumOut', '60000']]],
    ['never_settles', unsettled + withMode('Standard'), null, []],
    ['never_settles_expert', unsettled + withMode('Expert'), null, []],
    ['beyond_32_bits', '[Settings]\nCVeskManual=1\nCVesk=2147483647\n' + withMode('Expert'), null, []],
    ['older_version', '[Settings]\nNumVesk1=1\nNumVesk3=2\nCVesk=7\n' + withMode('Expert'), null, []],
    // Files as older programs and other editors wrote them.
    ['windows_1252', Buffer.from('[Settings]\r\nProject=Halle S\xFCd\r\nMainpath=450\r\n', 'latin1'), null, []],
    ['utf16', Buffer.concat([Buffer.from([0xFF, 0xFE]), Buffer.from(routers.replace('Press line', 'Presse \u00C4'), 'utf16le')]),
     null, []],
    ['utf8_name_typed', routers + withMode('Expert'), null, [['Project', 'Stra\u00DFe \u2116 7']]],
];

// The page starts as the desktop program does on its first start: the
// window as an empty settings file leaves it, which this project gives.
const firstStart = '[Settings]\nProject=Empty Project\nCVesk=4\n';

function projectFile(name, project) {
    const file = path.join(scratch, `${name}.ini`);
    fs.writeFileSync(file, project === 'example' ? example : project ?? firstStart);
    return file;
}

function cliReport(file, mode, sets) {
    const args = ['--json'];
    if (mode) args.push('--mode', mode);
    for (const [key, value] of sets) args.push('--set', `${key}=${value}`);
    if (file) args.push(file);
    const run = spawnSync(cli, args, { encoding: 'utf8' });
    assert.ok(run.status === 0 || run.status === 1, `qntcalc-cli ${args.join(' ')}: ${run.stderr}`);
    return JSON.parse(run.stdout);
}

// The page's modal boxes, answered with OK, in order.
function watchBoxes(page) {
    const seen = [];
    return {
        seen,
        async closeAll() {
            for (;;) {
                const box = page.locator('dialog.box[open]');
                if (!(await box.count())) return;
                seen.push({ caption: await box.locator('h2').textContent(),
                            text: await box.locator('p').textContent() });
                await box.getByRole('button', { name: 'OK' }).click();
            }
        },
    };
}

async function openMenu(page, title, item) {
    await page.locator(`[data-menu="${title}"]`).click();
    await page.locator(`.menu [data-control="${item}"]`).click();
}

async function openProject(page, file, boxes) {
    const chooser = page.waitForEvent('filechooser');
    await openMenu(page, 'File1', 'Open');
    await (await chooser).setFiles(file);
    await page.waitForFunction(() => document.title.includes(' - '));
    await boxes.closeAll();
}

// Brings the control's page to the front by its tab, as a user would.
async function showPageOf(page, name) {
    const sheet = page.locator('.sheet', { has: page.locator(`[data-control="${name}"]`) });
    if (!(await sheet.count())) return;
    const pageName = await sheet.getAttribute('data-page');
    await page.locator(`.tab[data-page="${pageName}"]`).click();
}

async function setKey(page, key, value, boxes) {
    const name = controlOf[key] ?? `Ed_${key}`;
    await showPageOf(page, name);
    const control = page.locator(`[data-control="${name}"]`);
    const type = await control.evaluate((e) => e.tagName === 'SELECT' ? 'select' : e.type);
    if (type === 'text') {
        await control.click();
        await control.press('Control+a');
        await control.pressSequentially(value);
        await boxes.closeAll();
        await control.press('Tab');
    } else if (type === 'checkbox') {
        if ((await control.isChecked()) !== (value === '1')) await control.click();
    } else if (type === 'radio') {
        await control.click();
    } else {
        await control.selectOption({ label: value });
    }
    await boxes.closeAll();
}

// What the page shows, in the members of qntcalc-cli --json.
function shown(page, keys) {
    return page.evaluate((keys) => {
        const value = (name) => document.querySelector(`[data-control="${name}"]`);
        const fields = {};
        for (const key of keys) fields[key] = value(`Ed_${key}`).value;
        const checked = (name) => value(name).checked;
        const list = (name) => { const s = value(name); return s.selectedIndex < 0 ? '' : s.options[s.selectedIndex].text; };
        const mode = [['Standard', 'Standard'], ['Expert', 'Expert'], ['Baudratemode', 'BaudRateMode']]
            .find(([item]) => value(item).getAttribute('aria-checked') === 'true');
        const status = value('SB_Status');
        const bar = value('BAR_Reaction');
        const tabs = [...document.querySelectorAll('.tab')];
        return {
            mode: mode ? mode[1] : null,
            fields,
            selections: {
                RouterType: list('CB_RouterType'), RepeaterType: list('CB_RepeaterType'),
                RB_Main: checked('RB_Main'), RB_Baud: checked('RB_Baud'),
                CBRouters: checked('CB_Routers'), CBRepeaters: checked('CB_Repeaters'),
                CBDropLines: checked('CB_DropLines'), Vesk1: checked('RB_Vesk1'),
                Vesk3: checked('RB_Vesk3'), CVeskManual: checked('CB_CVeskManual'),
            },
            status: { severity: status.classList.contains('red') ? 'error' : 'info',
                      text: status.querySelector('[data-panel="1"]').textContent },
            indicator: { position: +bar.dataset.position, maximum: +bar.getAttribute('aria-valuemax'),
                         hint: bar.title, panel: status.querySelector('[data-panel="0"]').textContent },
            pages: tabs.filter((t) => !t.hidden && t.dataset.page !== 'Limits').map((t) => t.dataset.page),
            activePage: tabs.find((t) => t.getAttribute('aria-selected') === 'true')?.dataset.page ?? null,
        };
    }, keys);
}

function expected(report) {
    const fields = { ...report.fields };
    return { mode: report.mode, fields, selections: report.selections, status: report.status,
             indicator: report.indicator, pages: report.pages, activePage: report.activePage };
}

const browser = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(scratch, 'profile-')), {
    executablePath: '/usr/bin/chromium',
    headless: true,
    acceptDownloads: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
let failed = 0;
try {
    const page = browser.pages()[0] ?? await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    // Nothing leaves the machine: the file holds everything.
    const outside = [];
    // Leaving a page with unsaved changes asks first; the test leaves.
    const leaving = [];
    page.on('dialog', (dialog) => {
        leaving.push(dialog.type());
        void dialog.accept();
    });
    const inside = /^(file|data|blob|about):/;
    page.on('request', (request) => {
        if (!inside.test(request.url())) outside.push(request.url());
    });
    await page.route('**/*', (route) => inside.test(route.request().url()) ? route.continue() : route.abort());
    const url = pathToFileURL(path.resolve(html)).href;
    // This page is a browser without the pickers of files the page may
    // write, whose saves are downloads; save_to_chosen_file has them.
    const noPickers = () => {
        for (const picker of ['showSaveFilePicker', 'showOpenFilePicker'])
            Object.defineProperty(window, picker, { value: undefined });
    };
    await page.addInitScript(noPickers);
    // Each scenario starts as the first start: nothing kept from the last.
    await page.addInitScript(() => localStorage.clear());

    // Measured, not asserted: the first opening, then two more.
    const startups = [];
    for (let i = 0; i < 3; ++i) {
        const begun = Date.now();
        await page.goto(url);
        await page.waitForSelector('body[data-ready]');
        const own = await page.getAttribute('body', 'data-ready');
        startups.push(`${Date.now() - begun} ms (page's own clock ${own} ms)`);
    }
    console.log(`start-up, opened from disk until ready to type: ${startups.join(', ')}`);

    for (const [name, project, mode, sets] of scenarios.filter(([name]) => chosenOnly(name))) {
        try {
            const file = projectFile(name, project);
            const report = cliReport(file, mode, sets);
            await page.goto(url);
            await page.waitForSelector('body[data-ready]');
            const boxes = watchBoxes(page);
            if (project !== null) await openProject(page, file, boxes);
            if (mode) await openMenu(page, 'Options', modeItem[mode]);
            // The user goes back to the page the window showed before the
            // keys were set, where qntcalc-cli stays.
            const before = await page.locator('.tab[aria-selected="true"]').getAttribute('data-page');
            for (const [key, value] of sets) await setKey(page, key, value, boxes);
            await boxes.closeAll();
            const back = page.locator(`.tab[data-page="${before}"]`);
            if (sets.length && await back.isVisible()) await back.click();
            assert.deepEqual(await shown(page, Object.keys(report.fields)), expected(report));
            assert.deepEqual(boxes.seen.map((b) => b.text), report.valueErrors);
            assert.ok(boxes.seen.every((b) => b.caption === 'Value Error'));
            assert.deepEqual(errors, []);
            assert.ok(leaving.every((type) => type === 'beforeunload'), leaving.join());
            console.log(`ok ${name}`);
        } catch (error) {
            ++failed;
            console.log(`not ok ${name}\n${error.message}`);
        }
    }

    // Flows of a user's own, each against what qntcalc-cli says.
    const fresh = async () => {
        await page.goto(url);
        await page.waitForSelector('body[data-ready]');
        return watchBoxes(page);
    };
    const field = (key) => page.locator(`[data-control="Ed_${key}"]`);
    const flows = {
        // Every keystroke recalculates: each prefix of the number typed
        // shows the results of that prefix.
        async live_recalculation() {
            const boxes = await fresh();
            await openMenu(page, 'Options', 'Expert');
            await field('Mainpath').click();
            await field('Mainpath').press('Control+a');
            let typed = '';
            for (const digit of '1900') {
                typed += digit;
                await field('Mainpath').press(digit);
                const report = cliReport(projectFile('live', null), 'expert', [['Mainpath', typed]]);
                assert.deepEqual((await shown(page, Object.keys(report.fields))).fields, report.fields, typed);
            }
            assert.deepEqual(boxes.seen, []);
        },
        // Ctrl+PgDown and Ctrl+PgUp step through the visible tabs, round;
        // so do Alt+PgDown and Alt+PgUp.
        async page_keys() {
            await fresh();
            const visible = await page.locator('.tab:visible:not([data-page="Limits"])')
                .evaluateAll((tabs) => tabs.map((t) => t.dataset.page));
            const active = () => page.locator('.tab[aria-selected="true"]').getAttribute('data-page');
            await field('Mainpath').click();
            await page.keyboard.press('Control+PageDown');
            assert.equal(await active(), visible[1]);
            await page.keyboard.press('Control+PageUp');
            await page.keyboard.press('Control+PageUp');
            assert.equal(await active(), visible[visible.length - 1]);
            // Where a windowed browser keeps Ctrl+PgDown for its tabs.
            await page.keyboard.press('Alt+PageDown');
            assert.equal(await active(), visible[0]);
            await page.keyboard.press('Alt+PageUp');
            assert.equal(await active(), visible[visible.length - 1]);
        },
        // Undo takes back a typed value, Redo brings it again.
        async undo_redo() {
            await fresh();
            const before = await field('Rmax').inputValue();
            await field('Mainpath').click();
            await field('Mainpath').press('Control+a');
            await field('Mainpath').pressSequentially('1500');
            await field('Mainpath').press('Tab');
            const after = await field('Rmax').inputValue();
            assert.notEqual(after, before);
            await openMenu(page, 'Edit1', 'Undo');
            assert.equal(await field('Mainpath').inputValue(), '100');
            assert.equal(await field('Rmax').inputValue(), before);
            await openMenu(page, 'Edit1', 'Redo');
            assert.equal(await field('Mainpath').inputValue(), '1500');
            assert.equal(await field('Rmax').inputValue(), after);
        },
        // A project saved from the page holds the bytes the desktop
        // program writes for it: Save as unchanged, Save after changes.
        async save_as_and_save() {
            const boxes = await fresh();
            const file = projectFile('saved', 'example');
            await openProject(page, file, boxes);
            const download = async (item) => {
                const saved = page.waitForEvent('download');
                await openMenu(page, 'File1', item);
                const got = await saved;
                assert.equal(got.suggestedFilename(), 'saved.ini');
                return fs.readFileSync(await got.path());
            };
            const desktop = (sets) => {
                const target = path.join(scratch, `desktop-${sets.length}.ini`);
                const args = [...sets.flatMap(([k, v]) => ['--set', `${k}=${v}`]), '--save', target, file];
                const run = spawnSync(cli, args, { encoding: 'utf8' });
                assert.ok(run.status === 0 || run.status === 1, run.stderr);
                return fs.readFileSync(target);
            };
            assert.deepEqual(await download('SaveAs'), desktop([]));
            const sets = [['NumInp', '500'], ['Project', 'Hall 3']];
            for (const [key, value] of sets) await setKey(page, key, value, boxes);
            // The file records the page shown, where qntcalc-cli stays.
            await page.locator('.tab[data-page="GB_Network"]').click();
            assert.ok((await page.title()).startsWith('* '), 'the unsaved-changes mark');
            assert.deepEqual(await download('Save'), desktop(sets));
            assert.ok(!(await page.title()).startsWith('* '));
        },
        // Opening another project over unsaved changes asks first: Cancel
        // keeps everything, Save stores the changed project as the desktop
        // program writes it and opens the other, Don't Save just opens.
        async unsaved_changes_question() {
            const boxes = await fresh();
            const first = projectFile('first', routers);
            await openProject(page, first, boxes);
            await setKey(page, 'Mainpath', '321', boxes);
            await page.locator('.tab[data-page="GB_Network"]').click();
            // The question comes first, as in the desktop program; the file
            // is picked after it.
            const open = async (file, answer) => {
                await openMenu(page, 'File1', 'Open');
                const question = page.locator('dialog.box.question[open]');
                const chooser = page.waitForEvent('filechooser');
                await question.getByRole('button', { name: answer, exact: true }).click();
                if (answer !== 'Cancel') await (await chooser).setFiles(file);
                else chooser.catch(() => {});
            };
            const other = projectFile('other', 'example');
            await open(other, 'Cancel');
            assert.equal(await field('Mainpath').inputValue(), '321');
            assert.ok((await page.title()).startsWith('* '));

            const saved = page.waitForEvent('download');
            await open(other, 'Save');
            const download = await saved;
            assert.equal(download.suggestedFilename(), 'first.ini');
            // Save writes into the project's own file, as the desktop
            // program does, which keeps the file's order of keys.
            const target = path.join(scratch, 'desktop-first.ini');
            fs.copyFileSync(first, target);
            const run = spawnSync(cli, ['--set', 'Mainpath=321', '--save', target, target], { encoding: 'utf8' });
            assert.ok(run.status === 0 || run.status === 1, run.stderr);
            assert.deepEqual(fs.readFileSync(await download.path()), fs.readFileSync(target));
            await page.waitForFunction(() => document.title.endsWith(' - other'));
            assert.equal(await field('Rmax').inputValue(), '106');

            await setKey(page, 'Project', 'Changed', boxes);
            await open(first, "Don't Save");
            await page.waitForFunction(() => document.title.endsWith(' - first'));
            assert.equal(await field('Project').inputValue(), 'Press line');
            assert.equal(await field('Mainpath').inputValue(), '600');
        },
        // A project file dropped on the page opens as File > Open opens it.
        async drop_a_file() {
            const boxes = await fresh();
            const report = cliReport(projectFile('dropped', routers), null, []);
            const dropped = await page.evaluateHandle((text) => {
                const transfer = new DataTransfer();
                transfer.items.add(new File([text], 'dropped.ini'));
                return transfer;
            }, routers);
            await page.locator('.sheet:visible').dispatchEvent('drop', { dataTransfer: dropped });
            await page.waitForFunction(() => document.title.endsWith(' - dropped'));
            assert.deepEqual(await shown(page, Object.keys(report.fields)), expected(report));
            assert.deepEqual(boxes.seen, []);
        },
        // A file that holds no project is refused with the desktop
        // program's box, and the window stays as it was.
        async not_a_project() {
            const refused = [
                ['notes.ini', '[Database]\nhost=db.example\n', /Not a project file/],
                ['binary.ini', Buffer.from([0x7F, 0x45, 0x4C, 0x46, 0x00, 0xFF]), /Not a project file/],
                ['big.ini', '[Settings]\nProject=Big\n' + 'x'.repeat(5_000_000), /Larger than 4 MiB/],
            ];
            const boxes = await fresh();
            for (const [name, bytes, message] of refused) {
                const chooser = page.waitForEvent('filechooser');
                await openMenu(page, 'File1', 'Open');
                const file = path.join(scratch, name);
                fs.writeFileSync(file, bytes);
                await (await chooser).setFiles(file);
                const box = page.locator('dialog.box.critical[open]');
                assert.match(await box.locator('p').textContent(), message, name);
                await box.getByRole('button', { name: 'OK' }).click();
                assert.equal(await field('Project').inputValue(), 'Empty Project');
            }
            assert.deepEqual(boxes.seen, []);
        },
        // Where the browser lets the page write the files the user picks,
        // Save writes the opened file again, Save as asks for a file with
        // the proposed name and Save then writes that one; the pickers here
        // stand in for the browser's own.
        async save_to_chosen_file() {
            const chosen = await browser.newPage();
            try {
                await chosen.addInitScript(() => {
                    window.stored = [];
                    const handle = (name, file) => ({
                        name,
                        getFile: async () => file,
                        createWritable: async () => ({
                            write: async (blob) => {
                                window.stored.push([name, [...new Uint8Array(await blob.arrayBuffer())]]);
                            },
                            close: async () => {},
                        }),
                    });
                    window.showOpenFilePicker = async () => [handle('saved.ini', new File([window.toOpen], 'saved.ini'))];
                    window.showSaveFilePicker = async ({ suggestedName }) => {
                        window.proposed = suggestedName;
                        return handle('chosen.ini');
                    };
                });
                const downloads = [];
                chosen.on('download', (d) => downloads.push(d.suggestedFilename()));
                await chosen.goto(url);
                await chosen.waitForSelector('body[data-ready]');
                const file = projectFile('saved', 'example');
                await chosen.evaluate((text) => { window.toOpen = text; }, example);
                const menu = async (item) => {
                    await chosen.locator('[data-menu="File1"]').click();
                    await chosen.locator(`.menu [data-control="${item}"]`).click();
                };
                const type = async (text) => {
                    const input = chosen.locator('[data-control="Ed_Project"]');
                    await input.click();
                    await input.press('Control+a');
                    await input.pressSequentially(text);
                    await input.press('Tab');
                };
                await menu('Open');
                await chosen.waitForFunction(() => document.title.endsWith(' - saved'));
                await type('Hall 4');
                await menu('Save');
                await chosen.waitForFunction(() => window.stored.length === 1);
                await menu('SaveAs');
                await chosen.waitForFunction(() => window.stored.length === 2);
                assert.equal(await chosen.evaluate(() => window.proposed), 'saved.ini');
                await type('Hall 5');
                await menu('Save');
                await chosen.waitForFunction(() => window.stored.length === 3);
                const stored = await chosen.evaluate(() => window.stored);
                // Save keeps the file's own order of keys; Save as writes anew.
                const desktop = (sets, name, into) => {
                    const target = path.join(scratch, name);
                    if (into) fs.copyFileSync(file, target);
                    const args = [...sets.flatMap((set) => ['--set', set]), '--save', target, into ? target : file];
                    const run = spawnSync(cli, args, { encoding: 'utf8' });
                    assert.ok(run.status === 0 || run.status === 1, run.stderr);
                    return [...fs.readFileSync(target)];
                };
                assert.deepEqual(stored, [
                    ['saved.ini', desktop(['Project=Hall 4'], 'opened.ini', true)],
                    ['chosen.ini', desktop(['Project=Hall 4'], 'chosen-as.ini', false)],
                    ['chosen.ini', desktop(['Project=Hall 5'], 'chosen.ini', false)],
                ]);
                assert.deepEqual(downloads, []);
            } finally {
                await chosen.close();
            }
        },
        // The page starts as it was left, as the desktop program starts
        // from its settings file; changes the user left unsaved when
        // leaving are discarded, as at the desktop program's close.
        async last_state() {
            const again = await browser.newPage();
            await again.addInitScript(noPickers);
            again.on('dialog', (dialog) => void dialog.accept());
            try {
                const reopen = async () => {
                    await again.goto(url);
                    await again.waitForSelector('body[data-ready]');
                };
                const type = async (key, value) => {
                    const input = again.locator(`[data-control="Ed_${key}"]`);
                    await input.click();
                    await input.press('Control+a');
                    await input.pressSequentially(value);
                    await input.press('Tab');
                };
                const file = projectFile('left', routers);
                await reopen();
                const picked = again.waitForEvent('filechooser');
                await again.locator('[data-menu="File1"]').click();
                await again.locator('.menu [data-control="Open"]').click();
                await (await picked).setFiles(file);
                await again.waitForFunction(() => document.title.endsWith(' - left'));
                await reopen();
                let report = cliReport(file, null, []);
                assert.deepEqual(await shown(again, Object.keys(report.fields)), expected(report));

                await type('Mainpath', '321');
                await reopen();
                report = cliReport(file, null, [['Mainpath', '321']]);
                assert.deepEqual(await shown(again, Object.keys(report.fields)), expected(report));

                const reopened = again.waitForEvent('filechooser');
                await again.locator('[data-menu="File1"]').click();
                await again.locator('.menu [data-control="Open"]').click();
                await (await reopened).setFiles(file);
                await again.waitForFunction(() => document.title.endsWith(' - left'));
                await type('Mainpath', '777');
                await reopen();
                report = cliReport(file, null, []);
                assert.deepEqual(await shown(again, Object.keys(report.fields)), expected(report));
            } finally {
                await again.close();
            }
        },
        // Projects opened or saved are offered again in the File menu, also
        // on the next visit, from the copies the browser keeps of them; one
        // whose copy has gone says so and leaves the list.
        async recent_projects() {
            const again = await browser.newPage();
            await again.addInitScript(noPickers);
            // A first visit, then visits again of this tab.
            await again.addInitScript(() => {
                if (sessionStorage.getItem('visited')) return;
                localStorage.clear();
                sessionStorage.setItem('visited', '1');
            });
            again.on('dialog', (dialog) => void dialog.accept());
            const boxes = watchBoxes(again);
            try {
                await again.goto(url);
                await again.waitForSelector('body[data-ready]');
                const first = projectFile('first', routers);
                const other = projectFile('other', 'example');
                for (const file of [first, other, first]) await openProject(again, file, boxes);
                const recent = () => again.locator('.recent [data-control^="Recent"]')
                    .evaluateAll((items) => items.map((item) => item.textContent));
                assert.deepEqual(await recent(), ['1 first', '2 other']);

                await again.reload();
                await again.waitForSelector('body[data-ready]');
                assert.deepEqual(await recent(), ['1 first', '2 other']);
                await openMenu(again, 'File1', 'Recent2');
                await again.waitForFunction(() => document.title.endsWith(' - other'));
                const report = cliReport(other, null, []);
                assert.deepEqual(await shown(again, Object.keys(report.fields)), expected(report));
                assert.deepEqual(await recent(), ['1 other', '2 first']);

                await again.evaluate(() => localStorage.setItem('QntCalc.projects', JSON.stringify(
                    JSON.parse(localStorage.getItem('QntCalc.projects')).slice(0, 1))));
                await again.reload();
                await again.waitForSelector('body[data-ready]');
                await openMenu(again, 'File1', 'Recent2');
                await boxes.closeAll();
                assert.equal(boxes.seen.length, 1);
                assert.match(boxes.seen[0].text, /first/);
                assert.deepEqual(await recent(), ['1 other']);
            } finally {
                await again.close();
            }
        },
        // The local storage of pages opened from disk is shared with every
        // other such page: kept copies that name a place outside the
        // page's own folders are not written, so the first start stays one.
        async tampered_storage() {
            const tab = await browser.newPage();
            await tab.addInitScript(noPickers);
            await tab.addInitScript((text) => {
                localStorage.clear();
                localStorage.setItem('QntCalc.projects', JSON.stringify([
                    { path: '/projects/1/../../settings/QntCalc.ini', text },
                    { path: '/settings/QntCalc.ini', text }, { path: 7, text }, 'junk', null]));
            }, '[Settings]\nProject=Tampered\n');
            try {
                await tab.goto(url);
                await tab.waitForSelector('body[data-ready]');
                assert.equal(await tab.locator('[data-control="Ed_Project"]').inputValue(), 'Empty Project');
            } finally {
                await tab.close();
            }
        },
        // A server whose policy refuses fetching: the page decodes the
        // WebAssembly it carries itself, and starts as always.
        async fetch_refused() {
            const tab = await browser.newPage();
            await tab.addInitScript(() => {
                localStorage.clear();
                window.fetch = () => Promise.reject(new TypeError('Refused to connect'));
            });
            try {
                await tab.goto(url);
                await tab.waitForSelector('body[data-ready]');
                const report = cliReport(projectFile('fetch_refused', null), null, []);
                assert.deepEqual((await shown(tab, Object.keys(report.fields))).fields, report.fields);
            } finally {
                await tab.close();
            }
        },
        // Copy to Clipboard puts the print sheet there as a picture of its
        // own size, from the File menu, Ctrl+C and the sheet's own button;
        // Ctrl+C in a field copies its text.
        async copy_to_clipboard() {
            const boxes = await fresh();
            await browser.grantPermissions(['clipboard-read', 'clipboard-write']);
            await page.evaluate(() => navigator.clipboard.writeText(''));
            await openProject(page, projectFile('copied', 'example'), boxes);
            // The picture is made after the command returns: until it is
            // there, the clipboard holds the empty text each check leaves.
            const picture = () => page.evaluate(async () => {
                let item;
                for (let tries = 0; tries < 100; ++tries) {
                    [item] = await navigator.clipboard.read();
                    if (item?.types.includes('image/png')) break;
                    await new Promise((resolve) => setTimeout(resolve, 50));
                }
                if (!item?.types.includes('image/png')) return item?.types;
                const image = await createImageBitmap(await item.getType('image/png'));
                const canvas = new OffscreenCanvas(image.width, image.height);
                const context = canvas.getContext('2d');
                context.drawImage(image, 0, 0);
                const pixels = context.getImageData(0, 0, image.width, image.height).data;
                let dark = 0;
                for (let i = 0; i < pixels.length; i += 4) dark += pixels[i] < 128 ? 1 : 0;
                await navigator.clipboard.writeText('');
                return [image.width, image.height, dark > 2000];
            });
            await openMenu(page, 'File1', 'CopytoClipboard1');
            assert.deepEqual(await picture(), [460, 596, true]);
            await page.locator('.tab[data-page="GB_Network"]').click();
            await page.keyboard.press('Control+c');
            assert.deepEqual(await picture(), [460, 596, true]);
            await openMenu(page, 'File1', 'Printpreview1');
            await page.locator('dialog.sheet-view [data-control="CopytoClipboard1"]').click();
            assert.deepEqual(await picture(), [460, 596, true]);
            await page.getByRole('button', { name: 'Close', exact: true }).click();
            await page.locator('dialog.sheet-view').waitFor({ state: 'detached' });
            await field('Mainpath').click();
            await field('Mainpath').press('Control+a');
            await field('Mainpath').press('Control+c');
            assert.equal(await page.evaluate(() => navigator.clipboard.readText()), await field('Mainpath').inputValue());
            assert.deepEqual(boxes.seen, []);
        },
        // F1 opens the desktop program's help at the focused control's
        // topic; Ctrl+F1 at the contents.
        async help_keys() {
            await fresh();
            await page.locator('.tab[data-page="GB_Inputs"]').click();
            await field('NumInp').click();
            await page.keyboard.press('F1');
            const help = page.locator('dialog.help[open]');
            assert.equal(await help.getAttribute('data-topic'), '22');
            const topic = page.frameLocator('dialog.help iframe').locator('a[name="topic22"]');
            assert.match(await topic.textContent(), /Inputs/);
            // Scrolled to, also the first time, when the help is still loading.
            let top = Infinity;
            for (let tries = 0; tries < 40 && Math.abs(top) >= 40; ++tries) {
                if (tries) await page.waitForTimeout(50);
                top = await topic.evaluate((a) => a.getBoundingClientRect().top);
            }
            assert.ok(Math.abs(top) < 40, `the topic is ${top} px from the top`);
            await page.keyboard.press('Control+F1');
            assert.equal(await help.getAttribute('data-topic'), '0');
        },
        // Help > About names the program and the version the desktop
        // program's version block holds; OK closes it.
        async about_box() {
            await fresh();
            await openMenu(page, 'Help1', 'About');
            const about = page.getByRole('dialog', { name: 'About' });
            const version = spawnSync(cli, ['--version'], { encoding: 'utf8' }).stdout.trim();
            const lines = (await about.locator('p').textContent()).split('\n');
            assert.deepEqual(lines.slice(0, 3), ['Quarnet Calculator', version, 'Copyright (C)']);
            assert.equal(lines.length, 4);
            await about.getByRole('button', { name: 'OK' }).click();
            assert.equal(await about.count(), 0);
        },
        // The print sheet shows the window's texts where its layout puts
        // them; Print hands it to the browser's print dialog.
        async print_sheet() {
            const boxes = await fresh();
            const file = projectFile('printed', 'example');
            await openProject(page, file, boxes);
            const report = cliReport(file, null, []);
            await openMenu(page, 'File1', 'Printpreview1');
            const sheet = page.locator('dialog.sheet-view[open] .print-sheet');
            for (const key of ['Project', 'Mainpath', 'NumInp', 'Rmax', 'ETO', 'CTO', 'CVesk'])
                assert.equal(await sheet.locator(`[data-control="Ed_${key}"]`).textContent(), report.fields[key], key);
            const folder = path.join(path.dirname(path.resolve(html)), 'screenshots');
            fs.mkdirSync(folder, { recursive: true });
            await sheet.screenshot({ path: path.join(folder, 'print-sheet.png') });
            await page.getByRole('button', { name: 'Close', exact: true }).click();
            await page.evaluate(() => { window.print = () => { window.printed = (window.printed ?? 0) + 1; }; });
            await page.keyboard.press('Control+p');
            assert.equal(await page.evaluate(() => window.printed), 1);
            await page.emulateMedia({ media: 'print' });
            assert.ok(await sheet.isVisible());
            // Scaled to the paper's width, as the desktop program prints it.
            assert.equal((await sheet.boundingBox()).width, 690);
            assert.ok(!(await page.locator('.menubar').isVisible()));
            await page.emulateMedia({ media: 'screen' });
        },
        // The Limits tab shows the rows of qntcalc-cli --limits for the
        // window as it is, again after each change.
        async limits_tab() {
            const boxes = await fresh();
            const file = projectFile('limits', 'example');
            await openProject(page, file, boxes);
            const rowsOf = (sets) => {
                const args = ['--limits', '--csv', ...sets.flatMap(([k, v]) => ['--set', `${k}=${v}`]), file];
                const run = spawnSync(cli, args, { encoding: 'utf8' });
                assert.ok(run.status === 0 || run.status === 1, run.stderr);
                const [heading, ...lines] = run.stdout.trim().split('\n').map((line) => line.split(','));
                const at = (name) => heading.indexOf(name);
                return lines.map((cells) => [cells[at('key')], cells[at('current')], cells[at('last')],
                                             cells[at('next')], cells[at('fixValue')]]);
            };
            const shownRows = async () => {
                await page.waitForSelector('.limits[data-ready]:not([data-ready=""])');
                return page.locator('.limits tr[data-key]').evaluateAll((rows) => rows.map((row) =>
                    [row.dataset.key, ...['current', 'last', 'next', 'fixValue'].map(
                        (column) => row.querySelector(`[data-column="${column}"]`).textContent)]));
            };
            await page.locator('.tab[data-page="Limits"]').click();
            assert.deepEqual(await shownRows(), rowsOf([]));
            await setKey(page, 'NumInp', '2000', boxes);
            await page.locator('.tab[data-page="Limits"]').click();
            assert.deepEqual(await shownRows(), rowsOf([['NumInp', '2000']]));
        },
        // "Use this value" types a row's nearest meeting value into its
        // input, as the user would.
        async use_this_value() {
            const boxes = await fresh();
            const file = projectFile('required', `${example}[Requirements]\nRmax=100\n`);
            await openProject(page, file, boxes);
            await page.locator('.tab[data-page="Limits"]').click();
            await page.waitForSelector('.limits[data-ready]:not([data-ready=""])');
            const row = page.locator('.limits tr[data-key]').first();
            const key = await row.getAttribute('data-key');
            const value = await row.locator('[data-column="fixValue"]').textContent();
            assert.ok(value, 'a row with a nearest meeting value');
            await row.getByRole('button', { name: 'Use this value' }).click();
            const report = cliReport(file, null, [[key, value]]);
            assert.deepEqual((await shown(page, Object.keys(report.fields))).fields, report.fields);
            assert.deepEqual(boxes.seen, []);
        },
        // Every page of the example project, for a person to look at.
        async screenshots() {
            const boxes = await fresh();
            const everything = routers.replace('CBRepeaters=0\nCBDropLines=0\n',
                'CBRepeaters=1\nCBDropLines=1\nNumRepeater=1\nRepeaterType=Mirato - Raylink\n' +
                'DropMax=15\nDropTot=90\n') + withMode('Expert');
            await openProject(page, projectFile('all-pages', everything), boxes);
            const folder = path.join(path.dirname(path.resolve(html)), 'screenshots');
            fs.mkdirSync(folder, { recursive: true });
            await page.setViewportSize({ width: 860, height: 520 });
            for (const tab of await page.locator('.tab:visible').all()) {
                await tab.click();
                if (await tab.getAttribute('data-page') === 'Limits')
                    await page.waitForSelector('.limits[data-ready]:not([data-ready=""])');
                await page.screenshot({ path: path.join(folder, `${await tab.getAttribute('data-page')}.png`) });
            }
            console.log(`screenshots in ${folder}`);
        },
    };
    for (const [name, flow] of Object.entries(flows).filter(([name]) => chosenOnly(name))) {
        try {
            await flow();
            assert.deepEqual(errors, []);
            console.log(`ok ${name}`);
        } catch (error) {
            ++failed;
            console.log(`not ok ${name}\n${error.message}`);
        }
    }
    if (outside.length) {
        ++failed;
        console.log(`not ok no_network\n${outside.join('\n')}`);
    }
    const total = [...scenarios.map(([name]) => name), ...Object.keys(flows)].filter(chosenOnly).length;
    console.log(`${total - failed} passed, ${failed} failed`);
} finally {
    await browser.close();
    fs.rmSync(scratch, { recursive: true, force: true });
}
process.exitCode = failed ? 1 : 0;
