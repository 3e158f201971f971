// The client opens these pages with the account in the fragment:
// "#/?username=NAME&password=SECRET".
function fragmentQuery() {
  var hash = window.location.hash || '';
  var q = hash.indexOf('?');
  var params = {};
  if (q < 0) return params;
  hash.substring(q + 1).split('&').forEach(function (pair) {
    if (!pair) return;
    var eq = pair.indexOf('=');
    var key = eq < 0 ? pair : pair.substring(0, eq);
    var value = eq < 0 ? '' : pair.substring(eq + 1);
    try { value = decodeURIComponent(value.replace(/\+/g, ' ')); } catch (e) {}
    params[key] = value;
  });
  return params;
}

// The client clears the browser's cache and cookies when another teacher
// logs in; a request caught in that moment can fail or never answer, so it
// is given a few seconds and tried again.
function fetchRetrying(url, tries) {
  var controller = new AbortController();
  var timer = setTimeout(function () { controller.abort(); }, 3000);
  return fetch(url, { signal: controller.signal, cache: 'no-store' }).then(function (r) {
    clearTimeout(timer);
    return r;
  }, function (error) {
    clearTimeout(timer);
    if (tries <= 1) throw error;
    return new Promise(function (resolve) { setTimeout(resolve, 300); }).then(function () {
      return fetchRetrying(url, tries - 1);
    });
  });
}

var greetedAs = null;
var baseTitle = '';
var greetings = 0;
function greet(done) {
  var p = fragmentQuery();
  if (greetedAs === null) {
    // Another teacher's login changes only the fragment, which does not
    // reload the page: greet again when the account in it changes.
    baseTitle = document.title;
    window.addEventListener('hashchange', function () {
      if ((fragmentQuery().username || '') !== greetedAs) greet(done);
    });
  }
  greetedAs = p.username || '';
  // Only the latest account's answer is shown.
  var mine = ++greetings;
  var who = document.getElementById('who');
  var greeting = document.getElementById('greeting');
  if (!p.username) {
    greeting.textContent = '请先登录教师账号';
    greeting.className = 'greeting error';
    done(null);
    return;
  }
  var url = '/web/session?username=' + encodeURIComponent(p.username) + '&password=' + encodeURIComponent(p.password || '');
  fetchRetrying(url, 4).then(function (r) { return r.json(); }).then(function (reply) {
    if (mine !== greetings) return;
    if (reply.code === 1) {
      greeting.textContent = reply.data.name + '老师，您好！';
      greeting.className = 'greeting';
      who.textContent = reply.data.name + ' · ' + reply.data.school;
      document.title = baseTitle + ' - ' + reply.data.name;
      done(reply.data);
    } else {
      greeting.textContent = '登录失败：' + reply.msg;
      greeting.className = 'greeting error';
      done(null);
    }
  }).catch(function () {
    if (mine !== greetings) return;
    greeting.textContent = '网络错误，请稍后重试';
    greeting.className = 'greeting error';
    done(null);
  });
}
