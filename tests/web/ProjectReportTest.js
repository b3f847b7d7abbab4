// The WebAssembly module's projectReport against the build machine's
// qntcalc-cli --json, member by member, on the example project and on a
// table of projects.
//
//   node ProjectReportTest.js <qntcalc_web.js> <host qntcalc-cli> <examples folder>
'use strict';

const assert = require('node:assert');
const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const [moduleFile, cli, examples] = process.argv.slice(2);

const example = fs.readFileSync(path.join(examples, 'assembly-hall.ini'), 'utf8');
const withMode = (mode) => ['Expert', 'Standard', 'BaudRateMode'].reduce(
    (section, key) => `${section}${key}=${+(key === mode)}\n`, '[Mode]\n');
const routers = '[Settings]\r\nProject=Press line\r\nMainpath=600\r\nCBRouters=1\r\n' +
                'CBRepeaters=0\r\nCBDropLines=0\r\nNumRouters=3\r\n' +
                'RouterType=Brenner Elektronik - Lindat\r\nLongSeg=200\r\nMDSeg=100\r\n' +
                'NumIOD=10\r\nNumVesk=1\r\nNumInp=64\r\nNumOut=50\r\nCVesk=7\r\n';
const utf16 = (text) => Buffer.concat([Buffer.from([0xFF, 0xFE]), Buffer.from(text, 'utf16le')]);

// name, the project (a string goes in as text and is written as UTF-8, a
// Buffer goes in as bytes), and members the report must have, so that a row
// keeps showing what it is there for.
const rows = [
    ['example', example, { mode: 'Standard', fields: { Rmax: '106' } }],
    ['routers_standard', routers + withMode('Standard'), { fields: { RouterCorrRes: '120' } }],
    ['routers_expert', routers + withMode('Expert'), { mode: 'Expert' }],
    ['manual_router_time',
     routers.replace('Brenner Elektronik - Lindat', 'Other - Manual time entry') +
         'RouterCorr=33\r\n' + withMode('Expert'),
     { fields: { RouterCorr: '33' } }],
    ['baud_rate_mode', '[Settings]\nMainpath=600\nNumIOD=10\n' + withMode('BaudRateMode'),
     { mode: 'BaudRateMode', indicator: { panel: '50 kBaud' } }],
    ['no_mode', '[Settings]\nMainpath=900\n' + withMode(''), { mode: null }],
    ['value_errors', '[Settings]\nMainpath=0\nNumIOD=0\n' + withMode('Expert'),
     { valueErrors: ['Value must be greater than 0.', 'Value must be greater than 0.'] }],
    ['error_status', example.replace('NumInp=420', 'NumInp=0').replace('NumOut=260', 'NumOut=0'),
     { status: { severity: 'error' } }],
    ['never_settles',
     '[Settings]\nMainpath=300\nNumInp=80\nNumOut=40\nNumInpCycl=16\nInpCycl=20\nNumOutCycl=2\n' +
         'OutCycl=50\n' + withMode('Standard'),
     { stable: false, passes: 100 }],
    ['beyond_32_bits', '[Settings]\nCVeskManual=1\nCVesk=2147483647\n' + withMode('Expert'),
     { fields: { Rmax: '2147483647' }, status: { severity: 'error' } }],
    ['older_version', '[Settings]\nNumVesk1=1\nNumVesk3=2\nCVesk=7\n' + withMode('Expert'),
     { fields: { NumVesk: '3' } }],
    ['windows_1252', Buffer.from('[Settings]\nProject=Halle S\xFCd\n', 'latin1'),
     { fields: { Project: 'Halle S\u00FCd' } }],
    ['utf8', '[Settings]\nProject=Halle S\u00FCd\n', { fields: { Project: 'Halle S\u00FCd' } }],
    ['utf16', utf16(routers.replace('Press line', 'Presse \u00C4')),
     { fields: { Project: 'Presse \u00C4' } }],
    ['no_project', '[Database]\nhost=db.example\n', { error: /Not a project file/ }],
    ['empty', '', { error: /Not a project file/ }],
    ['binary', Buffer.from([0x7F, 0x45, 0x4C, 0x46, 0x00, 0xFF, 0x5B, 0x0A]),
     { error: /Not a project file/ }],
];

// The members of `expected` that `actual` differs in, as paths.
function differences(actual, expected, where = '') {
    const isObject = (value) => value !== null && typeof value === 'object';
    const sameKind = isObject(actual) && isObject(expected) &&
                     Array.isArray(actual) === Array.isArray(expected);
    if (!sameKind) {
        return Object.is(actual, expected)
            ? []
            : [`${where || '.'}: ${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`];
    }
    const keys = new Set([...Object.keys(actual), ...Object.keys(expected)]);
    return [...keys].flatMap((key) => differences(actual[key], expected[key], `${where}.${key}`));
}

// The members of `wanted` alone; a pattern stands for a text it matches.
function missing(actual, wanted) {
    return Object.entries(wanted).flatMap(([key, value]) => {
        if (value instanceof RegExp) {
            return value.test(actual?.[key])
                ? []
                : [`.${key}: ${JSON.stringify(actual?.[key])}, expected ${value}`];
        }
        if (value !== null && typeof value === 'object' && !Array.isArray(value))
            return missing(actual?.[key] ?? {}, value).map((d) => `.${key}${d}`);
        return differences(actual?.[key], value, `.${key}`);
    });
}

async function main() {
    const calculator = await require(path.resolve(moduleFile))();
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'qntcalc-web-'));
    let failed = 0;
    try {
        for (const [name, content, shows] of rows) {
            const file = `${name}.ini`;
            fs.writeFileSync(path.join(dir, file), content);
            const run = spawnSync(cli, ['--json', file], { cwd: dir, encoding: 'utf8' });
            assert.strictEqual(run.error, undefined, `cannot run ${cli}`);
            const web = calculator.projectReport(file, content);
            // A file that holds no project gets no report, but the tool's reason.
            const expected = run.status === 2
                ? { error: run.stderr.trimEnd().split('\n').pop().replace(/^qntcalc-cli: /, '') }
                : JSON.parse(run.stdout);
            const problems = [...differences(web, expected), ...missing(web, shows)];
            if (problems.length > 0) {
                ++failed;
                console.log(`FAILED ${name}:\n  ${problems.join('\n  ')}`);
            }
        }
    } finally {
        fs.rmSync(dir, { recursive: true, force: true });
    }
    console.log(`${rows.length - failed} passed, ${failed} failed`);
    process.exitCode = failed > 0 ? 1 : 0;
}

main().catch((error) => {
    console.error(error);
    process.exitCode = 1;
});
