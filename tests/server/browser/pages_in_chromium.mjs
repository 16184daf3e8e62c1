// The browser pages in a real browser: headless Chromium, driven through the
// DevTools protocol, signs in to a fresh quillmap-server, opens the sample
// outline the window saved there, folds a branch and signs out. What only a
// browser can tell: that it keeps the Secure, HttpOnly cookie from
// http://localhost, that the inline style passes the Content-Security-Policy
// (by its hash), that <details> fold without script, and that nothing on the
// pages is blocked.
//
// Usage: node --experimental-websocket pages_in_chromium.mjs SERVER SAMPLE.qmp CHROMIUM
// Exits 0 when every check holds; otherwise prints what failed and exits 1.
import { spawn, spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [serverExe, samplePath, chromiumExe] = process.argv.slice(2);
const mail = 'reader@example.com';
const password = 'open sesame';
const folder = mkdtempSync(join(tmpdir(), 'qm-chromium-'));
const children = [];
const failures = [];

function check(condition, what) {
  if (!condition) failures.push(what);
}

// Resolves with the first match of pattern in the child's output, within ms.
function waitForOutput(child, pattern, ms) {
  return new Promise((resolve, reject) => {
    let seen = '';
    const timer = setTimeout(() => reject(new Error(`timed out waiting for ${pattern}: ${seen}`)), ms);
    const look = (chunk) => {
      seen += chunk.toString();
      const match = seen.match(pattern);
      if (match) {
        clearTimeout(timer);
        resolve(match);
      }
    };
    child.stdout.on('data', look);
    child.stderr.on('data', look);
  });
}

const md5 = (bytes) => createHash('md5').update(bytes).digest('hex');

// The window's ticket date: local time, numbers without leading zeros.
function ticketDate(date) {
  return `${date.getFullYear()}/${date.getMonth() + 1}/${date.getDate()} ` +
         `${date.getHours()}:${date.getMinutes()}:${date.getSeconds()}`;
}

// Saves the file as the window does: a ticket from the account endpoint,
// then the multipart upload. Returns the file's id.
async function saveAsTheWindow(base, title, file) {
  const date = ticketDate(new Date());
  const key = md5(md5(Buffer.from(password)) + date + 'ke\t=lun');
  const asked = await fetch(`${base}/qmp/qmpfile.php`, {
    method: 'POST',
    headers: { 'Content-Type': 'application/x-www-form-urlencoded' },
    body: new URLSearchParams({ mode: 'saveas', mail, pass: key, date, title }).toString(),
  });
  const xml = Buffer.from(await asked.arrayBuffer()).toString('latin1');
  const element = (name) => (xml.match(new RegExp(`<${name}>(.*?)</${name}>`)) || [])[1];
  const boundary = '-7da1091f160a20';
  const fields = { mail, key: element('key'), date: element('date'), fileid: element('fileid'),
                   pub: '1', fileext: 'qmp' };
  const chunks = Object.entries(fields).map(([name, value]) => Buffer.from(
      `--${boundary}\r\nContent-Disposition: form-data; name="${name}"\r\n\r\n${value}\r\n`));
  chunks.push(Buffer.from(`--${boundary}\r\nContent-Disposition: form-data; name="file"; ` +
                         `filename="qmp.txt"\r\nContent-Type: application/octet-stream\r\n\r\n`));
  chunks.push(file, Buffer.from(`\r\n--${boundary}--\r\n\r\n`));
  const stored = await fetch(`${base}/qmpupload`, {
    method: 'POST',
    headers: { 'Content-Type': `multipart/form-data; boundary=${boundary}` },
    body: Buffer.concat(chunks),
  });
  const answer = await stored.text();
  if (answer !== '0\nOK') throw new Error(`upload refused: ${answer} (${xml})`);
  return fields.fileid;
}

// A DevTools protocol session over one page's WebSocket.
class Page {
  constructor(socket) {
    this.socket = socket;
    this.next = 1;
    this.pending = new Map();
    this.listeners = [];
    this.log = [];
    socket.addEventListener('message', (event) => {
      const message = JSON.parse(event.data);
      if (message.id && this.pending.has(message.id)) {
        const { resolve, reject } = this.pending.get(message.id);
        this.pending.delete(message.id);
        if (message.error) reject(new Error(JSON.stringify(message.error)));
        else resolve(message.result);
      } else if (message.method) {
        if (message.method === 'Log.entryAdded') this.log.push(message.params.entry);
        if (message.method === 'Runtime.consoleAPICalled') this.log.push(message.params);
        this.listeners = this.listeners.filter((listener) => !listener(message));
      }
    });
  }

  static async open(url) {
    const socket = new WebSocket(url);
    await new Promise((resolve, reject) => {
      socket.addEventListener('open', resolve);
      socket.addEventListener('error', reject);
    });
    return new Page(socket);
  }

  send(method, params = {}) {
    const id = this.next++;
    this.socket.send(JSON.stringify({ id, method, params }));
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject }));
  }

  // Runs action and waits for the page load it causes.
  async loading(action) {
    const loaded = new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error('page did not load')), 30000);
      this.listeners.push((message) => {
        if (message.method !== 'Page.loadEventFired') return false;
        clearTimeout(timer);
        resolve();
        return true;
      });
    });
    await action();
    await loaded;
  }

  async evaluate(expression) {
    const result = await this.send('Runtime.evaluate', { expression, returnByValue: true });
    if (result.exceptionDetails) throw new Error(`${expression}: ${result.exceptionDetails.text}`);
    return result.result.value;
  }
}

async function main() {
  const added = spawnSync(serverExe, ['add-user', mail, '--db', join(folder, 'db.sqlite')],
                          { input: `${password}\n` });
  if (added.status !== 0) throw new Error(`add-user failed: ${added.stderr}`);
  const server = spawn(serverExe, ['serve', '--db', join(folder, 'db.sqlite'),
                                   '--listen', '127.0.0.1:0']);
  children.push(server);
  const [, port] = await waitForOutput(server, /listening on http:\/\/127\.0\.0\.1:(\d+)/, 30000);
  const fileId = await saveAsTheWindow(`http://127.0.0.1:${port}`, 'sample',
                                       readFileSync(samplePath));

  const browser = spawn(chromiumExe, [
    '--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
    '--remote-debugging-port=0', `--user-data-dir=${join(folder, 'profile')}`, 'about:blank',
  ]);
  children.push(browser);
  const [, devtoolsPort] = await waitForOutput(browser, /DevTools listening on ws:\/\/[^:]+:(\d+)\//, 60000);
  const targets = await (await fetch(`http://127.0.0.1:${devtoolsPort}/json/list`)).json();
  const target = targets.find((t) => t.type === 'page');
  const page = await Page.open(target.webSocketDebuggerUrl);
  await page.send('Page.enable');
  await page.send('Runtime.enable');
  await page.send('Log.enable');
  await page.send('Network.enable');

  // The address the README gives: a loopback name over plain HTTP.
  const base = `http://localhost:${port}`;
  await page.loading(() => page.send('Page.navigate', { url: `${base}/` }));
  check(await page.evaluate(`!!document.querySelector('form[action="/signin"]')`),
        'the sign-in form is shown');
  await page.loading(() => page.evaluate(`
      document.querySelector('input[name=mail]').value = ${JSON.stringify(mail)};
      document.querySelector('input[name=password]').value = ${JSON.stringify(password)};
      document.querySelector('form[action="/signin"]').submit();`));
  const link = await page.evaluate(`(document.querySelector('a[href^="/outline/"]') || {}).href`);
  check(link === `${base}/outline/${fileId}`, `the list links the outline (got ${link})`);
  check(await page.evaluate('document.cookie') === '', 'the session cookie is hidden from script');
  const { cookies } = await page.send('Network.getCookies', { urls: [base] });
  const session = cookies.find((c) => c.name === 'qm_session');
  check(session && session.httpOnly && session.secure && session.sameSite === 'Strict',
        `the browser keeps an HttpOnly, Secure, SameSite=Strict session cookie: ${JSON.stringify(cookies)}`);

  await page.loading(() => page.send('Page.navigate', { url: link }));
  const summaries = await page.evaluate(
      `[...document.querySelectorAll('summary')].map((s) => s.textContent)`);
  check(summaries.includes('\u2160.使い方'), `the chapter is numbered as the outline's styles say: ${summaries}`);
  check(await page.evaluate(`!!document.querySelector('.c')`), 'a checked node carries its mark');
  check(await page.evaluate(`getComputedStyle(document.querySelector('.b')).whiteSpace`) === 'pre-wrap',
        'the inline style applies under the page\'s Content-Security-Policy');
  check(await page.evaluate(`document.querySelector('details').open`), 'branches start open');
  await page.evaluate(`document.querySelector('summary').click()`);
  check(await page.evaluate(`!document.querySelector('details').open`),
        'a branch folds at a click, without script');

  await page.loading(() => page.evaluate(`document.querySelector('form[action="/signout"] button').click()`));
  check(await page.evaluate(`!!document.querySelector('form[action="/signin"]')`),
        'signing out leads back to the sign-in form');
  await page.loading(() => page.send('Page.navigate', { url: link }));
  check(await page.evaluate(`!!document.querySelector('form[action="/signin"]')`),
        'signed out, the outline address leads to the sign-in form');

  const blocked = page.log.filter((entry) => JSON.stringify(entry).includes('Content Security Policy'));
  check(blocked.length === 0, `nothing on the pages is blocked: ${JSON.stringify(blocked)}`);
  page.socket.close();
}

let status = 0;
try {
  await main();
} catch (error) {
  failures.push(error.stack || String(error));
}
for (const failure of failures) console.error(`FAILED: ${failure}`);
if (failures.length > 0) status = 1;
for (const child of children.reverse()) {
  if (child.exitCode !== null) continue;
  child.kill('SIGTERM');
  await new Promise((resolve) => {
    const timer = setTimeout(() => { child.kill('SIGKILL'); resolve(); }, 10000);
    child.on('exit', () => { clearTimeout(timer); resolve(); });
  });
}
rmSync(folder, { recursive: true, force: true });
if (status === 0) console.log('pages in chromium: every check holds');
process.exit(status);
