#use domaincheck
// absolute value
function abs(x){
  domaincheck("abs",[x]);
  return Math.abs(x);
}
